// SPDX-License-Identifier: MIT
// Why the table works, told from its rows as the two columns hold them. Each halving of
// Number 2 leaves a remainder, 0 or 1: one binary digit of Number 2. Row k's left value
// is Number 1 times 2^k, so the rows with remainder 1 add up to Number 1 times Number 2.
// A pure function of the rows' texts and the working text: no window, no words of any
// language; the explanation window puts the words around it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

struct ExplainedRow {
    int k = 0;            // the row's number, 0 for the first
    std::string power;    // 2^k: "1", "2", "4", ...
    std::string right;    // the right value, as the column holds it
    int remainder = 0;    // of the right value halved: the row's binary digit
    std::string left;     // the left value, as the column holds it: Number 1 times 2^k
    bool counted = false; // the right value is odd, so the left value goes into the sum
};

struct Explanation {
    std::vector<ExplainedRow> rows;
    // The binary digits found so far, read from the last row up.
    std::string digits;
    // The right column has reached 1. Only then are the parts below filled in.
    bool finished = false;
    // Number 2 as a sum of powers of two, largest first: {"16", "8", "2"} for 26.
    std::vector<std::string> powers;
    // Number 1 times each of those powers, smallest first: {"24 × 2", "24 × 8", "24 × 16"}.
    std::vector<std::string> terms;
    // The counted left values, in the order of the rows: {"48", "192", "384"}.
    std::vector<std::string> addends;
    // The product as the working box shows it: the number after its last " = ".
    std::string product;
};

// Explains the rows of a table: `left` and `right` are the two columns top to bottom
// (only as many rows as both hold), `working` the text of the working box.
Explanation Explain(std::span<const std::string> left, std::span<const std::string> right, std::string_view working);

// "a = b = c": the parts joined by " = ", each part that repeats the one before it left
// out ("7 × 2 = 7 × 2 = 14" would say nothing twice).
std::string Equation(std::span<const std::string> parts);

// The parts joined by `separator`: Join({"48", "192"}, " + ") is "48 + 192".
std::string Join(std::span<const std::string> parts, std::string_view separator);

} // namespace korvanta
