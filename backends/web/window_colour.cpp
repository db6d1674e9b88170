// SPDX-License-Identifier: MIT
// Prints the window's background colour from the window description, as "#rrggbb", for
// the files made from it outside the program: the web site's manifest (its theme and
// background colours) and the maskable icon's background (scripts/make-icons.sh).
#include <cstdio>

#include "ui/layout.h"

int main() {
    const korvanta::Rgb colour = korvanta::MainForm().backColor;
    std::printf("#%02x%02x%02x\n", colour.red, colour.green, colour.blue);
    return 0;
}
