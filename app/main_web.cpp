// SPDX-License-Identifier: MIT
// Umnozhenie in a web page: builds the main window in the page, with the program that
// opens the windows of its menu, and returns; the page delivers the clicks and keys from
// then on, for as long as it is open. The page opens in the language its address asks for
// ("umnozhenie.html?lang=en" or "umnozhenie.html#en"), in Bulgarian for any other.
#include "backends/web/web_window.h"
#include "calc/texts.h"
#include "ui/program.h"

int main() {
    korvanta::SetLanguage(korvanta::web::AskedLanguage());
    static korvanta::web::WebWindow window;
    static korvanta::web::WebHost host(window);
    static korvanta::Program program(window, host);
    return 0;
}
