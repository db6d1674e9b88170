// SPDX-License-Identifier: MIT
// The catalogues the build made from po/*.po (cmake/catalogue.py): for each language but
// Bulgarian, the translations of the Bulgarian texts, found by a 64-bit hash of each
// Bulgarian text (the text itself is in the program already) and sorted by it. The build
// stops should two texts ever share a hash.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace korvanta {

// FNV-1a over the text's bytes; cmake/catalogue.py computes the same.
constexpr std::uint64_t TextHash(std::string_view text) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char byte : text) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3u;
    }
    return hash;
}

struct CatalogueEntry {
    std::uint64_t id;      // TextHash of the Bulgarian text
    std::string_view text; // its translation
};

struct Catalogue {
    std::string_view code;
    std::string_view name;
    std::span<const CatalogueEntry> entries;
};

std::span<const Catalogue> Catalogues();

} // namespace korvanta
