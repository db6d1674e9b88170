// SPDX-License-Identifier: MIT
// Conversions between the texts the window shows and the numbers the table works with.
// They are pure functions: no locale, no state, no exceptions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// The leading numeric value of a text (UTF-8), read the way a pupil's typing is read:
// spaces, tabs and line feeds are skipped wherever they stand; then an optional sign,
// digits, one decimal point (always '.'), digits and an optional exponent (E or D,
// either case). "&H" and "&O" start a hexadecimal or octal whole number. A text with
// no numeric beginning reads as 0.
// A decimal number too large for a double reads as +/-infinity, one too small as 0.
// A hexadecimal or octal number is unsigned and at most 32 bits wide (&HFFFF is 65535,
// &HFFFFFFFF is 4294967295); a wider one reads as +infinity, that is, too large.
double TextToNumber(std::string_view text);

// Rounds to the nearest whole number, a tie to the even neighbour. Values that do not
// round into -32768..32767 (and NaN) have no result.
std::optional<std::int16_t> ToInteger16(double value);

// The same rounding into -2147483648..2147483647.
std::optional<std::int32_t> ToInteger32(double value);

// Whether a right value of the table is odd, its row one that is added. Right values are
// whole numbers; the test rounds them to 32 bits first.
bool IsOdd(double value);

// The general decimal form of a number: at most 15 significant digits, no grouping,
// no trailing zeros, the decimal point always '.', so that TextToNumber reads every
// text written here back as the same 15-digit value. From 1E15 on, and below 1E-4,
// the scientific form is used ("1E+15", "1.5E-05").
std::string NumberToText(double value);
std::string NumberToText(std::int32_t value);

} // namespace korvanta
