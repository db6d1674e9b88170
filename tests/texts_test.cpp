// SPDX-License-Identifier: MIT
// The words in the language chosen: formats with numbered places, the catalogues the
// build made, and a language the program does not have.
#include "calc/texts.h"

#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui/options.h"

namespace korvanta {
namespace {

struct InEnglish {
    InEnglish() { SetLanguage("en"); }
    ~InEnglish() { SetLanguage("bg"); }
};

TEST(Language, FormatsPutTheNumbersInTheirPlaces) {
    EXPECT_EQ(Format("%1$s × 2 = %2$s, а не %3$s.", {"48", "96", "86"}), "48 × 2 = 96, а не 86.");
    EXPECT_EQ(Format("%2$s, not %1$s; %2$s again", {"a", "b"}), "b, not a; b again");
    EXPECT_EQ(Format("100%% of %1$s, %3$s, %s", {"x"}), "100% of x, , %s") << "a missing number leaves nothing";
}

TEST(Language, BulgarianUnlessAnotherLanguageIsChosen) {
    ASSERT_EQ(Languages().front().code, "bg");
    EXPECT_EQ(CurrentLanguage(), "bg");
    EXPECT_EQ(Tr(kNotGreaterThanOne), "Всеки множител да е по-голям от 1!");
    EXPECT_EQ(TrIn("en", kNotGreaterThanOne), "Each factor must be greater than 1!");
    {
        InEnglish english;
        EXPECT_EQ(Tr("Сметни"), "Calculate");
        EXPECT_EQ(Tr("a text no catalogue has"), "a text no catalogue has");
        EXPECT_FALSE(SetLanguage("xx"));
        EXPECT_EQ(CurrentLanguage(), "en") << "an unknown language changes nothing";
        EXPECT_EQ(TrFormat("Браво! %1$s", {"7 × 2 = 14."}), "Well done! 7 × 2 = 14.");
    }
    EXPECT_EQ(Tr("Сметни"), "Сметни");
}

TEST(Language, ChosenOnTheCommandLine) {
    const auto read = [](std::initializer_list<std::string_view> arguments) {
        return ReadOptions(std::span<const std::string_view>(arguments.begin(), arguments.size()));
    };
    EXPECT_EQ(read({}).language, "bg");
    EXPECT_EQ(read({"-platform", "offscreen", "--lang", "en"}).language, "en");
    EXPECT_EQ(CurrentLanguage(), "en");
    EXPECT_EQ(read({"--lang=bg"}).language, "bg");
    EXPECT_EQ(read({"--lang", "xx"}).error, "umnozhenie: there is no language \"xx\"; there are: bg, en");
    EXPECT_EQ(read({"--lang"}).error, "umnozhenie: --lang needs a language: bg, en");
    EXPECT_EQ(CurrentLanguage(), "bg") << "a wrong choice changes nothing";
}

} // namespace
} // namespace korvanta
