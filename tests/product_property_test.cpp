// SPDX-License-Identifier: MIT
// Every table finishes with the exact product, for every second factor the form takes,
// and its explanation reads Number 2 in binary and adds its counted rows up to that product.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "calc/explanation.h"
#include "tests/form_fixture.h"

namespace korvanta::testing {
namespace {

// Adds up the terms of a finished expression "a + b + c = s\r\n"; gives false when the
// text is not of that form or the terms do not add up to s.
bool TermsAddUp(const std::string &expression, std::uint64_t &result) {
    const std::size_t equals = expression.find(" = ");
    if (equals == std::string::npos || !expression.ends_with("\r\n")) {
        return false;
    }
    std::uint64_t sum = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = expression.find(" + ", start);
        const std::size_t end = plus < equals ? plus : equals;
        sum += std::stoull(expression.substr(start, end - start));
        if (end == equals) {
            break;
        }
        start = end + 3;
    }
    result = std::stoull(expression.substr(equals + 3));
    return sum == result;
}

class ProductProperty : public FormTest, public ::testing::WithParamInterface<std::uint64_t> {};

TEST_P(ProductProperty, EverySecondFactorGivesTheExactProduct) {
    const std::uint64_t first = GetParam();
    for (std::uint64_t second = 2; second <= 32767; ++second) {
        Clear();
        Enter(std::to_string(first), std::to_string(second));
        int presses = 0;
        while (CalculateEnabled() && presses < 20) {
            Calculate();
            ++presses;
        }
        const std::uint64_t product = first * second;
        std::uint64_t written = 0;
        ASSERT_FALSE(CalculateEnabled()) << first << " x " << second;
        ASSERT_LE(Column(0).size(), 15u) << first << " x " << second;
        ASSERT_EQ(Column(0).size(), Column(1).size());
        ASSERT_EQ(form.state().Sum, static_cast<double>(product)) << first << " x " << second;
        ASSERT_TRUE(TermsAddUp(Working(), written)) << Working();
        ASSERT_EQ(written, product) << first << " x " << second;

        const Explanation explained = Explain(Column(0), Column(1), Working());
        ASSERT_EQ(std::stoull(explained.digits, nullptr, 2), second) << explained.digits;
        std::uint64_t counted = 0;
        for (const std::string &addend : explained.addends) {
            counted += std::stoull(addend);
        }
        ASSERT_EQ(counted, product) << first << " x " << second;
        ASSERT_EQ(explained.product, std::to_string(product));
    }
}

// Small, typical and large first factors; the largest keeps every row and the
// product below 1E15, where the text of a number holds it exactly.
INSTANTIATE_TEST_SUITE_P(FirstFactors, ProductProperty,
                         ::testing::Values(2u, 3u, 24u, 999u, 65535u, 123456789u, 30517578125u),
                         [](const auto &info) { return std::to_string(info.param); });

} // namespace
} // namespace korvanta::testing
