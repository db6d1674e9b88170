// SPDX-License-Identifier: MIT
// A user's hand on the page, for the tests built into a page: clicks on buttons and rows
// as click events, typing as a changed value with its input event, keys as key events
// where the focus is, and what an element shows, read back from the page.
mergeInto(LibraryManager.library, {
  korvanta_test_click: function (id) { document.getElementById(UTF8ToString(id)).click(); },
  korvanta_test_choose_row: function (id, row) {
    document.getElementById(UTF8ToString(id) + '-' + row).click();
  },
  // A key pressed in the window of the element `id`: where the focus is, if it is in that
  // window, else on the window itself.
  korvanta_test_press_key: function (id, key) {
    var window = document.getElementById(UTF8ToString(id));
    var target = window.contains(document.activeElement) ? document.activeElement : window;
    target.dispatchEvent(new KeyboardEvent('keydown', { key: UTF8ToString(key), bubbles: true, cancelable: true }));
  },
  // Enter in the input `id`, given the focus first as a user's click would.
  korvanta_test_press_enter: function (id) {
    var input = document.getElementById(UTF8ToString(id));
    input.focus();
    input.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true, cancelable: true }));
  },
  // The language `code` chosen under the main window, as a user picks it from the list.
  korvanta_test_choose_language: function (code) {
    var choice = document.getElementById('korvanta-language');
    code = UTF8ToString(code);
    choice.value = Array.prototype.find.call(choice.options, function (o) { return o.lang === code; }).value;
    choice.dispatchEvent(new Event('change', { bubbles: true }));
  },
  korvanta_test_type: function (id, text) {
    var input = document.getElementById(UTF8ToString(id));
    input.value = UTF8ToString(text);
    input.dispatchEvent(new Event('input', { bubbles: true }));
  },
  // The text as UTF-8 in memory the caller frees; a box of several lines with CR LF line
  // breaks, as the program writes them; a table's headings, separated by tabs.
  korvanta_test_shown__deps: ['malloc'],
  korvanta_test_shown: function (id) {
    var element = document.getElementById(UTF8ToString(id));
    var headings = element.querySelectorAll('[role=columnheader]');
    var text = element.tagName === 'TEXTAREA' ? element.value.replace(/\n/g, '\r\n')
      : element.getAttribute('role') === 'status' ? element.textContent.replace(/\n/g, '\r\n')
      : element.tagName === 'INPUT' ? element.value
      : headings.length ? Array.prototype.map.call(headings, function (cell) { return cell.textContent; }).join('\t')
      : element.textContent;
    var size = lengthBytesUTF8(text) + 1;
    var copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
  },
  // Where the test runner (run_page.py) reads how the run ended.
  korvanta_test_finished: function (failed) { globalThis.korvantaTestsFailed = failed; },
});
