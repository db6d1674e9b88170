// SPDX-License-Identifier: MIT
// The options a desktop program takes on its command line: "--lang CODE" or
// "--lang=CODE" opens it in that language. Everything else is left to the toolkit.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace korvanta {

struct Options {
    std::string language = "bg";
    // Empty, or the one line to print before stopping with exit code 2.
    std::string error;
};

// Reads the arguments after the program's name and, for a language the program has,
// chooses it (calc/texts.h).
Options ReadOptions(std::span<const std::string_view> arguments);

} // namespace korvanta
