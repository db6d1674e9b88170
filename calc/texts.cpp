// SPDX-License-Identifier: MIT

#include "calc/texts.h"

#include <algorithm>
#include <vector>

#include "calc/catalogue.h"

namespace korvanta {
namespace {

const Catalogue *current = nullptr; // nullptr: Bulgarian, the texts as written

const Catalogue *Find(std::string_view code) {
    for (const Catalogue &catalogue : Catalogues()) {
        if (catalogue.code == code) {
            return &catalogue;
        }
    }
    return nullptr;
}

} // namespace

std::span<const LanguageInfo> Languages() {
    static const std::vector<LanguageInfo> languages = [] {
        std::vector<LanguageInfo> all{{"bg", "Български"}};
        for (const Catalogue &catalogue : Catalogues()) {
            all.push_back({catalogue.code, catalogue.name});
        }
        return all;
    }();
    return languages;
}

bool SetLanguage(std::string_view code) {
    if (code == "bg") {
        current = nullptr;
        return true;
    }
    if (const Catalogue *catalogue = Find(code)) {
        current = catalogue;
        return true;
    }
    return false;
}

std::string_view CurrentLanguage() { return current != nullptr ? current->code : "bg"; }

namespace {

std::string_view Lookup(const Catalogue *catalogue, std::string_view text) {
    if (catalogue == nullptr) {
        return text;
    }
    const std::uint64_t id = TextHash(text);
    const auto entry =
        std::lower_bound(catalogue->entries.begin(), catalogue->entries.end(), id,
                         [](const CatalogueEntry &each, std::uint64_t wanted) { return each.id < wanted; });
    return entry != catalogue->entries.end() && entry->id == id ? entry->text : text;
}

} // namespace

std::string_view Tr(std::string_view text) { return Lookup(current, text); }

std::string_view TrIn(std::string_view code, std::string_view text) { return Lookup(Find(code), text); }

std::string Format(std::string_view format, std::span<const std::string> args) {
    std::vector<std::string_view> views(args.begin(), args.end());
    return Format(format, std::span<const std::string_view>(views));
}

std::string Format(std::string_view format, std::initializer_list<std::string_view> args) {
    return Format(format, std::span<const std::string_view>(args.begin(), args.size()));
}

std::string Format(std::string_view format, std::span<const std::string_view> args) {
    std::string out;
    for (std::size_t at = 0; at < format.size(); ++at) {
        const char ch = format[at];
        if (ch == '%' && at + 1 < format.size() && format[at + 1] == '%') {
            out += '%';
            ++at;
        } else if (ch == '%' && at + 3 < format.size() && format[at + 1] >= '1' && format[at + 1] <= '9' &&
                   format[at + 2] == '$' && format[at + 3] == 's') {
            const std::size_t index = static_cast<std::size_t>(format[at + 1] - '1');
            if (index < args.size()) {
                out += args[index];
            }
            at += 3;
        } else {
            out += ch;
        }
    }
    return out;
}

std::string TrFormat(std::string_view format, std::initializer_list<std::string_view> args) {
    return Format(Tr(format), args);
}

} // namespace korvanta
