// SPDX-License-Identifier: MIT
// Umnozhenie in a web page: builds the main window in the page and returns; the page
// delivers the clicks from then on, for as long as it is open.
#include "backends/web/web_window.h"
#include "ui/form.h"

int main() {
    static korvanta::web::WebWindow window;
    static korvanta::Korvanta form(window.controls());
    window.Connect(form);
    return 0;
}
