// SPDX-License-Identifier: MIT
// The window description: what every backend builds from.
#include "ui/layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace korvanta {
namespace {

// Characters as the window counts them: every text here is in the basic plane.
std::size_t Characters(std::string_view utf8) {
    std::size_t count = 0;
    for (unsigned char c : utf8) {
        count += (c & 0xC0) != 0x80;
    }
    return count;
}

TEST(Layout, TheLongTextsHaveTheirLengthAndLineEnds) {
    const std::string_view task = FindControl(ControlArray::Text1, 0)->text;
    const std::string_view motto = FindControl(ControlArray::Text1, 1)->text;
    EXPECT_EQ(Characters(task), 800u);
    EXPECT_EQ(Characters(motto), 118u);
    EXPECT_TRUE(task.ends_with("стойности.\r\n"));
    EXPECT_TRUE(task.starts_with("Съществува алгоритъм"));
    EXPECT_NE(task.find("\r\n  1088 :1 \r\nИзход: 136 + 272 + 1088 +  = 1496 \r\n"), std::string_view::npos);
    EXPECT_TRUE(motto.ends_with("било. \r\n"));
    for (std::string_view text : {task, motto}) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                EXPECT_EQ(text[i - 1], '\r') << "every line ends with CR LF";
            }
        }
    }
}

TEST(Layout, TheFormAndItsCaption) {
    const FormSpec &form = MainForm();
    EXPECT_EQ(form.name, "Korvanta");
    EXPECT_EQ(form.caption, std::string(kSiteAddress) + " Математика - цвлочислено умножение");
    EXPECT_EQ(form.clientWidth, 7215);
    EXPECT_EQ(form.clientHeight, 6360);
    EXPECT_EQ(form.backColor, (Rgb{128, 128, 255}));
    EXPECT_EQ(form.font.family, "Times New Roman");
    EXPECT_EQ(form.font.pointSize, 12);
    EXPECT_EQ(form.font.weight, 400);
    EXPECT_EQ(form.font.charset, 204);
}

TEST(Layout, ControlsAreListedInTabOrderOnceEach) {
    std::set<std::pair<ControlArray, int>> seen;
    int tab = 0;
    for (const ControlSpec &control : MainForm().controls) {
        EXPECT_EQ(control.tabOrder, tab++);
        EXPECT_TRUE(seen.insert({control.array, control.index}).second) << control.name << control.index;
        EXPECT_EQ(FindControl(control.array, control.index), &control);
        EXPECT_FALSE(control.accessibleName.empty());
    }
    EXPECT_EQ(tab, 11);
    EXPECT_EQ(FindControl(ControlArray::Command1, 2), nullptr);
}

TEST(Layout, OnlyTheInputsLimitWhatIsTyped) {
    for (const ControlSpec &control : MainForm().controls) {
        EXPECT_EQ(control.maxLength, control.array == ControlArray::Text2 ? 32767 : 0) << control.name << control.index;
    }
}

TEST(Layout, OnlyTheAuxiliaryBoxReachesPastTheClientArea) {
    for (const ControlSpec &control : MainForm().controls) {
        const TwipRect visible = VisibleRect(control);
        if (control.array == ControlArray::Text1 && control.index == 1) {
            EXPECT_EQ(visible, (TwipRect{2760, 4800, 7215 - 2760, 6360 - 4800}));
        } else {
            EXPECT_EQ(visible, control.rect) << control.name << control.index;
        }
    }
}

TEST(Layout, TwipsBecomePixelsThroughTheResolution) {
    EXPECT_EQ(TwipsToPixels(7215, 96), 481);
    EXPECT_EQ(TwipsToPixels(6360, 96), 424);
    EXPECT_EQ(TwipsToPixels(15, 96), 1);
    EXPECT_EQ(TwipsToPixels(7215, 120), 601); // 601.25
    EXPECT_EQ(TwipsToPixels(7215, 144), 722); // 721.5 rounds up
    EXPECT_EQ(TwipsToPixels(7215, 192), 962);
}

TEST(Layout, RectanglesThatMeetInTwipsMeetInPixels) {
    EXPECT_EQ(TwipsToPixels(TwipRect{120, 720, 975, 375}, 144), (PixelRect{12, 72, 98, 38}));
    // 1005 twips are 100.5 pixels at 144 DPI: the first rectangle ends at pixel 101, where
    // the second begins, which is then 100 pixels wide rather than its own rounded 101.
    const PixelRect left = TwipsToPixels(TwipRect{0, 0, 1005, 100}, 144);
    const PixelRect right = TwipsToPixels(TwipRect{1005, 0, 1005, 100}, 144);
    EXPECT_EQ(left.right(), right.left);
    EXPECT_EQ(right.width, 100);
}

// The windows of the main menu: each control once among all forms, inside its window and
// in tab order, and a table's columns within the table's width.
TEST(Layout, TheMenuWindowsFitTheirControls) {
    std::set<std::pair<ControlArray, int>> seen;
    for (const FormSpec *form : AllForms()) {
        EXPECT_EQ(form->opensFromMenu, form != &MainForm()) << form->name;
        EXPECT_EQ(form->menu.empty(), form != &MainForm()) << form->name;
        if (form == &MainForm()) {
            continue;
        }
        int tab = 0;
        for (const ControlSpec &control : form->controls) {
            EXPECT_TRUE(seen.insert({control.array, control.index}).second) << control.name;
            EXPECT_EQ(FormOf(control.array, control.index), form);
            EXPECT_EQ(control.tabOrder, tab++);
            EXPECT_EQ(VisibleRect(control, *form), control.rect) << control.name;
            EXPECT_FALSE(control.accessibleName.empty());
            if (control.kind == ControlKind::Table) {
                int width = 0;
                for (int column : control.columns) {
                    width += column;
                }
                EXPECT_EQ(control.columns.size(), Cells(control.text).size()) << "a heading for each column";
                EXPECT_LE(width + 17 * 15, control.rect.width) << "the columns and a scroll bar fit";
            }
        }
    }
}

TEST(Layout, AMenuWindowOpensBesideTheMainWindowWhereTheScreenHasRoom) {
    const PixelRect main{400, 300, 481, 424};
    EXPECT_EQ(PlaceBeside(main, 560, 424, {0, 0, 1920, 1080}, 8), (PixelRect{889, 300, 560, 424}));
    // No room on the right: on the left.
    EXPECT_EQ(PlaceBeside({700, 300, 481, 424}, 560, 424, {0, 0, 1300, 1080}, 8), (PixelRect{132, 300, 560, 424}));
    // No room on either side: over it, moved up and left to stay on the screen.
    EXPECT_EQ(PlaceBeside(main, 560, 424, {0, 0, 1300, 1080}, 8), (PixelRect{400, 300, 560, 424}));
    EXPECT_EQ(PlaceBeside({400, 500, 481, 424}, 560, 424, {0, 0, 800, 600}, 8), (PixelRect{240, 176, 560, 424}));
}

} // namespace
} // namespace korvanta
