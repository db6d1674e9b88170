// SPDX-License-Identifier: MIT
// Umnozhenie in a web page: builds the main window in the page, with the program that
// opens the windows of its menu, and returns; the page delivers the clicks and keys from
// then on, for as long as it is open.
#include "backends/web/web_window.h"
#include "ui/program.h"

int main() {
    static korvanta::web::WebWindow window;
    static korvanta::web::WebHost host(window);
    static korvanta::Program program(window, host);
    return 0;
}
