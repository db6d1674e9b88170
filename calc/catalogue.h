// SPDX-License-Identifier: MIT
// The catalogues the build made from po/*.po (cmake/catalogue.py): for each language but
// Bulgarian, its Bulgarian texts and their translations, sorted by the Bulgarian text.
#pragma once

#include <span>
#include <string_view>

namespace korvanta {

struct CatalogueEntry {
    std::string_view id;   // the Bulgarian text
    std::string_view text; // its translation
};

struct Catalogue {
    std::string_view code;
    std::string_view name;
    std::span<const CatalogueEntry> entries;
};

std::span<const Catalogue> Catalogues();

} // namespace korvanta
