// SPDX-License-Identifier: MIT
// Reading and writing numbers as text, independent of the user's locale.
#include "calc/conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace korvanta {
namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a text as if spaces, tabs and line feeds were not there.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) { SkipBlanks(); }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Next() {
        ++pos_;
        SkipBlanks();
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsSkipped(text_[pos_])) {
            ++pos_;
        }
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

int RadixDigit(char c, int radix) {
    int digit = 99;
    if (IsDigit(c)) {
        digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
    }
    return digit < radix ? digit : -1;
}

// The digits after "&H" or "&O": an unsigned whole number of at most 32 bits.
double ReadRadix(Reader &in, int radix) {
    std::uint64_t value = 0;
    for (int digit = RadixDigit(in.Peek(), radix); digit >= 0; digit = RadixDigit(in.Peek(), radix)) {
        value = value * radix + digit;
        if (value > 0xFFFFFFFFu) {
            return std::numeric_limits<double>::infinity();
        }
        in.Next();
    }
    return static_cast<double>(value);
}

// Collects the decimal digits of the reader into `out`; gives how many there were.
std::size_t ReadDigits(Reader &in, std::string &out) {
    std::size_t count = 0;
    for (; IsDigit(in.Peek()); in.Next(), ++count) {
        out.push_back(in.Peek());
    }
    return count;
}

// The double nearest to a number in plain form, "<digits, at most one '.'>e<exponent>"
// (`integerDigits` digits before the point, `mantissaLength` characters before the 'e'),
// ties to even; +infinity when that is beyond the largest double, 0 when it is below the
// smallest.
#if defined(__cpp_lib_to_chars)
// from_chars rounds correctly and never looks at the locale. Out of range it reports an
// error and leaves the value alone: the place of the first significant digit tells which
// way it went.
double ToDouble(const std::string &number, std::size_t mantissaLength, std::size_t integerDigits, long exponent) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        std::size_t first = number.find_first_of("123456789");
        if (first >= mantissaLength) {
            first = std::string::npos; // no significant digit: the number is zero
        }
        long magnitude = exponent;
        if (first != std::string::npos && first < integerDigits) {
            magnitude += static_cast<long>(integerDigits - first);
        } else if (first != std::string::npos) {
            magnitude -= static_cast<long>(first - integerDigits - 1);
        }
        value = (first != std::string::npos && magnitude > 0) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return value;
}
#else
// Where the C++ library has no floating-point from_chars (the web build's), the C
// library's strtod does the same: it rounds correctly, its decimal point is always '.'
// (the web's C library knows no other locale), and out of range it gives +infinity
// (HUGE_VAL) or 0, the results above.
double ToDouble(const std::string &number, std::size_t, std::size_t, long) {
    return std::strtod(number.c_str(), nullptr);
}
#endif

double ReadDecimal(Reader &in) {
    // The number is gathered in plain form ("12.5e7"; the sign apart) for ToDouble.
    std::string number;
    bool negative = false;
    if (in.Peek() == '+' || in.Peek() == '-') {
        negative = in.Peek() == '-';
        in.Next();
    }
    std::size_t digits = ReadDigits(in, number);
    const std::size_t integerDigits = digits;
    if (in.Peek() == '.') {
        in.Next();
        number.push_back('.');
        digits += ReadDigits(in, number);
    }
    if (digits == 0) {
        return 0.0;
    }
    long exponent = 0;
    const char letter = in.Peek();
    if (letter == 'e' || letter == 'E' || letter == 'd' || letter == 'D') {
        in.Next();
        bool negativeExponent = false;
        if (in.Peek() == '+' || in.Peek() == '-') {
            negativeExponent = in.Peek() == '-';
            in.Next();
        }
        // An exponent far beyond any double's is held at a bound that still decides
        // overflow or underflow for mantissas of any length.
        constexpr long kExponentBound = 100'000'000;
        for (; IsDigit(in.Peek()); in.Next()) {
            exponent = std::min(kExponentBound, exponent * 10 + (in.Peek() - '0'));
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    const std::size_t mantissaLength = number.size();
    number += 'e';
    number += std::to_string(exponent);
    const double value = ToDouble(number, mantissaLength, integerDigits, exponent);
    // A negative zero would write as "-0"; it is zero.
    return negative && value != 0.0 ? -value : value;
}

template <typename Int> std::optional<Int> RoundToEven(double value) {
    if (std::isnan(value)) {
        return std::nullopt;
    }
    double whole = std::floor(value);
    const double fraction = value - whole; // exact for every double
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) {
        whole += 1.0;
    }
    if (whole < static_cast<double>(std::numeric_limits<Int>::min()) ||
        whole > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(whole);
}

} // namespace

double TextToNumber(std::string_view text) {
    Reader in(text);
    if (in.Peek() == '&') {
        in.Next();
        const char letter = in.Peek();
        if (letter == 'h' || letter == 'H') {
            in.Next();
            return ReadRadix(in, 16);
        }
        if (letter == 'o' || letter == 'O') {
            in.Next();
            return ReadRadix(in, 8);
        }
        return 0.0;
    }
    return ReadDecimal(in);
}

std::optional<std::int16_t> ToInteger16(double value) { return RoundToEven<std::int16_t>(value); }

std::optional<std::int32_t> ToInteger32(double value) { return RoundToEven<std::int32_t>(value); }

bool IsOdd(double value) {
    const auto whole = ToInteger32(value);
    return whole && *whole % 2 != 0;
}

std::string NumberToText(std::int32_t value) { return std::to_string(value); }

std::string NumberToText(double value) {
    if (!std::isfinite(value)) {
        // Never written by the program: every number it shows is checked to be finite.
        return value != value ? "NaN" : (value > 0 ? "Infinity" : "-Infinity");
    }
    if (value == 0.0) {
        return "0";
    }
    // 15 significant digits, correctly rounded: "d.dddddddddddddde+XX". Only the digits,
    // the sign and the exponent are taken from it, so the locale's decimal separator
    // does not matter. (printf rather than std::to_chars: the latter's tables would add
    // a third to the size of the Windows program.)
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const std::string_view scientific(buffer, static_cast<std::size_t>(length));
    const std::size_t e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (char c : scientific.substr(0, e)) {
        if (IsDigit(c)) {
            digits.push_back(c);
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+'), scientific.data() + scientific.size(),
                    exponent);

    std::string text = negative ? "-" : "";
    if (exponent >= 15 || exponent < -4) {
        text += digits.front();
        if (digits.size() > 1) {
            text += '.';
            text.append(digits, 1);
        }
        text += exponent < 0 ? "E-" : "E+";
        const std::string magnitude = std::to_string(std::abs(exponent));
        text += magnitude.size() < 2 ? "0" + magnitude : magnitude;
    } else if (exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    } else {
        const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            text += digits;
            text.append(integerDigits - digits.size(), '0');
        } else {
            text.append(digits, 0, integerDigits);
            text += '.';
            text.append(digits, integerDigits);
        }
    }
    return text;
}

} // namespace korvanta
