// SPDX-License-Identifier: MIT
#include "calc/explanation.h"

#include <algorithm>

#include "calc/conversions.h"

namespace korvanta {

namespace {

// The number after the last " = " of a finished working text, without its line break.
std::string ProductShown(std::string_view working) {
    const std::size_t equals = working.rfind(" = ");
    if (equals == std::string_view::npos) {
        return {};
    }
    std::string_view product = working.substr(equals + 3);
    while (!product.empty() && (product.back() == '\r' || product.back() == '\n')) {
        product.remove_suffix(1);
    }
    return std::string(product);
}

} // namespace

Explanation Explain(std::span<const std::string> left, std::span<const std::string> right, std::string_view working) {
    Explanation result;
    const std::size_t count = std::min(left.size(), right.size());
    // A table has at most 15 rows; 2^k stays a whole number far beyond that.
    double power = 1;
    for (std::size_t k = 0; k < count; ++k, power *= 2) {
        ExplainedRow &row = result.rows.emplace_back();
        row.k = static_cast<int>(k);
        row.power = NumberToText(power);
        row.right = right[k];
        row.left = left[k];
        row.counted = IsOdd(TextToNumber(row.right));
        row.remainder = row.counted ? 1 : 0;
        result.digits.insert(result.digits.begin(), row.counted ? '1' : '0');
    }
    result.finished = count > 0 && TextToNumber(right[count - 1]) == 1;
    if (!result.finished) {
        return result;
    }
    for (const ExplainedRow &row : result.rows) {
        if (row.counted) {
            result.powers.insert(result.powers.begin(), row.power);
            result.terms.push_back(left[0] + " × " + row.power);
            result.addends.push_back(row.left);
        }
    }
    result.product = ProductShown(working);
    return result;
}

std::string Join(std::span<const std::string> parts, std::string_view separator) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        joined += i > 0 ? std::string(separator) + parts[i] : parts[i];
    }
    return joined;
}

std::string Equation(std::span<const std::string> parts) {
    std::vector<std::string> kept;
    for (const std::string &part : parts) {
        if (!part.empty() && (kept.empty() || kept.back() != part)) {
            kept.push_back(part);
        }
    }
    return Join(kept, " = ");
}

} // namespace korvanta
