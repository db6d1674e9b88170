// SPDX-License-Identifier: MIT
// The window speaks UTF-16 (the W functions); the form and the calculation speak UTF-8.
// These two conversions are the only place where the two meet, and no ANSI code page
// is involved. Invalid sequences become U+FFFD instead of failing.
#pragma once

#include <string>
#include <string_view>

namespace korvanta::win32 {

std::wstring ToUtf16(std::string_view utf8);
std::string ToUtf8(std::wstring_view utf16);

} // namespace korvanta::win32
