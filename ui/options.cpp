// SPDX-License-Identifier: MIT
#include "ui/options.h"

#include "calc/texts.h"

namespace korvanta {

Options ReadOptions(std::span<const std::string_view> arguments) {
    Options options;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        std::string_view code;
        if (arguments[at] == "--lang") {
            if (at + 1 == arguments.size()) {
                options.error = "umnozhenie: --lang needs a language: ";
            } else {
                code = arguments[++at];
            }
        } else if (arguments[at].starts_with("--lang=")) {
            code = arguments[at].substr(7);
        } else {
            continue;
        }
        if (options.error.empty() && SetLanguage(code)) {
            options.language = code;
            continue;
        }
        if (options.error.empty()) {
            options.error = "umnozhenie: there is no language \"" + std::string(code) + "\"; there are: ";
        }
        for (const LanguageInfo &language : Languages()) {
            options.error += std::string(language.code) + (&language == &Languages().back() ? "" : ", ");
        }
        return options;
    }
    return options;
}

} // namespace korvanta
