// SPDX-License-Identifier: MIT
// Switches the numeric locale to one that writes a decimal comma for one test, as on
// a Bulgarian pupil's computer, and back afterwards.
#pragma once

#include <clocale>
#include <string>

namespace korvanta::testing {

class DecimalCommaLocale {
public:
    DecimalCommaLocale() {
        const char *previous = std::setlocale(LC_NUMERIC, nullptr);
        saved_ = previous != nullptr ? previous : "C";
        active_ = std::setlocale(LC_NUMERIC, "bg_BG.UTF-8") != nullptr ||
                  std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr ||
                  std::setlocale(LC_NUMERIC, "Bulgarian_Bulgaria.1251") != nullptr; // the Windows name
    }
    ~DecimalCommaLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    DecimalCommaLocale(const DecimalCommaLocale &) = delete;
    DecimalCommaLocale &operator=(const DecimalCommaLocale &) = delete;

    // False when no such locale is installed here.
    bool active() const { return active_; }

private:
    std::string saved_;
    bool active_ = false;
};

} // namespace korvanta::testing
