// SPDX-License-Identifier: MIT
// Feeds the number conversions every text a pupil could type or paste.
//
// - TextToNumber reads any bytes without reading past them (the text is handed over
//   without a terminator), and the same bytes taken as UTF-16, the way the windows
//   receive typed text, converted to UTF-8. It never gives NaN or a negative zero, and
//   blanks anywhere in the text change nothing.
// - NumberToText writes every double the program can come to (finite, below 3.3E+307)
//   in the general form, plainly from 1E-4 to below 1E15, and TextToNumber reads the
//   text back as the value rounded to 15 significant digits, which writes the same text.
// - ToInteger16 and ToInteger32 round ties to the even neighbour and have a result
//   exactly when the rounded value lies in their range, as the C library's nearbyint
//   in round-to-nearest says.
//
// The numbers are also checked in a locale with a decimal comma, when one is installed.
#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "calc/conversions.h"

namespace {

using korvanta::NumberToText;
using korvanta::TextToNumber;

locale_t gCLocale = nullptr;

void Require(bool holds, const char *what, const std::string &detail) {
    if (!holds) {
        std::fprintf(stderr, "conversions: %s: %s\n", what, detail.c_str());
        std::abort();
    }
}

std::string Describe(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a (%.17g)", value, value);
    return text;
}

// Reads a text from a buffer of exactly its length, so that reading past its end is
// a fault the address sanitizer sees.
double ReadExactly(std::string_view text) {
    const auto copy = std::make_unique<char[]>(text.size());
    std::memcpy(copy.get(), text.data(), text.size());
    return TextToNumber(std::string_view(copy.get(), text.size()));
}

void AppendUtf8(std::string &out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The bytes as UTF-16 (little-endian code units) in UTF-8, a lone surrogate replaced
// by U+FFFD, as a window hands typed text to the program.
std::string Utf16ToUtf8(const std::uint8_t *data, std::size_t size) {
    std::string out;
    const std::size_t units = size / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = data[2 * i] | (data[2 * i + 1] << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const char32_t next = data[2 * i + 2] | (data[2 * i + 3] << 8);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? char32_t{0xFFFD} : unit);
    }
    return out;
}

void CheckReading(std::string_view text) {
    const double value = ReadExactly(text);
    Require(!std::isnan(value), "TextToNumber gave NaN", std::string(text));
    Require(!(value == 0 && std::signbit(value)), "TextToNumber gave a negative zero", std::string(text));

    std::string withoutBlanks;
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            withoutBlanks += c;
        }
    }
    if (withoutBlanks.size() != text.size()) {
        Require(ReadExactly(withoutBlanks) == value, "blanks changed the value read", std::string(text));
    }
}

// `value` rounded to 15 significant digits, by the C library in the "C" locale.
double RoundTo15Digits(double value) {
    const locale_t previous = uselocale(gCLocale);
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", value);
    const double rounded = std::strtod(text, nullptr);
    uselocale(previous);
    return rounded;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The general form: [-]digits[.digits] with no leading zero, no trailing zero in the
// fraction and at most 15 significant digits, then in the scientific form E, a sign
// and two or three exponent digits, with one digit before the point.
bool IsGeneralForm(std::string_view text, bool scientific) {
    if (text.starts_with('-')) {
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('E');
    if ((e != std::string_view::npos) != scientific) {
        return false;
    }
    std::string_view mantissa = text.substr(0, e);
    if (e != std::string_view::npos) {
        const std::string_view exponent = text.substr(e + 1);
        if (exponent.size() < 3 || exponent.size() > 4 || (exponent[0] != '+' && exponent[0] != '-')) {
            return false;
        }
        for (char c : exponent.substr(1)) {
            if (!IsDigit(c)) {
                return false;
            }
        }
    }
    const std::size_t point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    if (whole.empty() || (whole.size() > 1 && whole[0] == '0') || (scientific && whole.size() != 1)) {
        return false;
    }
    if (point != std::string_view::npos && (point + 1 == mantissa.size() || mantissa.back() == '0')) {
        return false;
    }
    std::size_t significant = 0;
    bool leading = true;
    for (char c : mantissa) {
        if (c == '.') {
            continue;
        }
        if (!IsDigit(c)) {
            return false;
        }
        leading = leading && c == '0';
        significant += leading ? 0 : 1;
    }
    return significant <= 15;
}

void CheckWriting(double value) {
    const std::string text = NumberToText(value); // must not crash for any double
    if (!std::isfinite(value) || std::fabs(value) >= 3.3e307) {
        return;
    }
    const double rounded = RoundTo15Digits(value);
    const double magnitude = std::fabs(rounded);
    const bool plain = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e15);
    Require(IsGeneralForm(text, !plain), "NumberToText is not in the general form", Describe(value) + " -> " + text);
    const double readBack = ReadExactly(text);
    Require(readBack == rounded || (readBack == 0 && rounded == 0), "the text does not read back as 15 digits",
            Describe(value) + " -> " + text + " -> " + Describe(readBack));
    Require(NumberToText(readBack) == text, "the text read back writes differently", Describe(value) + " -> " + text);
}

template <typename Int> std::optional<Int> ReferenceRounding(double value) {
    if (std::isnan(value)) {
        return std::nullopt;
    }
    const double whole = std::nearbyint(value);
    if (whole < std::numeric_limits<Int>::min() || whole > std::numeric_limits<Int>::max()) {
        return std::nullopt;
    }
    return static_cast<Int>(whole);
}

void CheckRounding(double value) {
    Require(korvanta::ToInteger16(value) == ReferenceRounding<std::int16_t>(value), "ToInteger16", Describe(value));
    Require(korvanta::ToInteger32(value) == ReferenceRounding<std::int32_t>(value), "ToInteger32", Describe(value));
}

void CheckNumber(double value) {
    CheckWriting(value);
    CheckRounding(value);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    gCLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    std::setlocale(LC_ALL, "bg_BG.UTF-8"); // a decimal comma, when installed
    std::fesetround(FE_TONEAREST);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    CheckReading(bytes);
    const std::string typed = Utf16ToUtf8(data, size);
    CheckReading(typed);

    CheckNumber(TextToNumber(bytes));
    CheckNumber(TextToNumber(typed));
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        CheckNumber(raw);
        CheckNumber(raw * 2); // a doubled left value
    }
    return 0;
}
