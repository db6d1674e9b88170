// SPDX-License-Identifier: MIT
// The page's side of the web window (web_window.cpp): the elements of the controls, made,
// changed and read as the C++ side asks, and the user's clicks, taps and keys passed back
// to it by the element's handle (its place in the window's list of elements).
mergeInto(LibraryManager.library, {
  $korvantaPage: {
    frame: null, // holds the form at its scaled size
    form: null, // the window: a <form> with every control in it
    elements: [],
    width: 0,
    height: 0,
    // The window at its own size where the viewport has room for it, else scaled down
    // as a whole, the same way across and down, until it fits.
    fit: function () {
      var page = korvantaPage;
      if (!page.form) return;
      var scale = Math.min(1, innerWidth / page.width, innerHeight / page.height);
      page.form.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
      page.frame.style.width = page.width * scale + 'px';
      page.frame.style.height = page.height * scale + 'px';
    },
    // Shows a list's row (the newest, or the one chosen) once the change in hand is over:
    // a press of a button adds two rows and may choose one, and the list scrolls once.
    reveal: function (list, row) {
      if (list.reveal === undefined) {
        queueMicrotask(function () {
          var option = list.children[list.reveal];
          list.reveal = undefined;
          if (!option) return;
          if (option.offsetTop < list.scrollTop) {
            list.scrollTop = option.offsetTop;
          } else if (option.offsetTop + option.offsetHeight > list.scrollTop + list.clientHeight) {
            list.scrollTop = option.offsetTop + option.offsetHeight - list.clientHeight;
          }
        });
      }
      list.reveal = row;
    },
    // The row a key takes a list to, or undefined for a key that does not move it.
    rowForKey: function (list, key) {
      var rows = list.children.length;
      var row = list.selectedRow;
      var perPage = rows ? Math.max(1, Math.floor(list.clientHeight / list.children[0].offsetHeight) - 1) : 1;
      var to = {
        ArrowDown: row + 1, ArrowUp: row - 1, Home: 0, End: rows - 1,
        PageDown: row + perPage, PageUp: row - perPage,
      }[key];
      return to === undefined || rows === 0 ? undefined : Math.max(0, Math.min(rows - 1, to));
    },
    // A list box of the ARIA pattern: a focusable element of role listbox whose rows are
    // options, the chosen one marked selected and named as the active descendant. HTML's
    // <select size> would be one too, but phones and tablets show it as a drop-down menu.
    makeList: function (list, handle) {
      list.setAttribute('role', 'listbox');
      list.tabIndex = 0;
      list.selectedRow = -1;
      list.addEventListener('click', function (event) {
        var option = event.target.closest('[role=option]');
        if (option && option.parentNode === list) {
          _korvanta_web_row_chosen(handle, Array.prototype.indexOf.call(list.children, option));
        }
      });
      list.addEventListener('keydown', function (event) {
        var row = korvantaPage.rowForKey(list, event.key);
        if (row !== undefined && !event.altKey && !event.ctrlKey && !event.metaKey) {
          event.preventDefault();
          _korvanta_web_row_chosen(handle, row);
        }
      });
    },
  },

  korvanta_page_open__deps: ['$korvantaPage'],
  korvanta_page_open: function (title, style, width, height) {
    var page = korvantaPage;
    document.title = UTF8ToString(title);
    page.frame = document.createElement('div');
    page.frame.className = 'korvanta-frame';
    page.form = document.createElement('form');
    page.form.className = 'korvanta';
    page.form.style.cssText = UTF8ToString(style);
    page.form.setAttribute('aria-label', document.title);
    // Enter in an input submits the form by clicking its submit button, unless that is
    // disabled; the page itself never goes anywhere.
    page.form.addEventListener('submit', function (event) { event.preventDefault(); });
    page.width = width;
    page.height = height;
    page.frame.appendChild(page.form);
    document.body.appendChild(page.frame);
    // Fitted when the page is next laid out anyway, before it is painted.
    requestAnimationFrame(page.fit);
    addEventListener('resize', page.fit);
  },

  korvanta_page_close__deps: ['$korvantaPage'],
  korvanta_page_close: function () {
    var page = korvantaPage;
    removeEventListener('resize', page.fit);
    page.frame.remove();
    page.frame = page.form = null;
    page.elements = [];
  },

  korvanta_page_add__deps: ['$korvantaPage'],
  korvanta_page_add: function (tag, id, style) {
    var page = korvantaPage;
    var handle = page.elements.length;
    tag = UTF8ToString(tag);
    var element = document.createElement(tag === 'listbox' ? 'div' : tag);
    element.id = UTF8ToString(id);
    element.style.cssText = UTF8ToString(style);
    if (tag === 'listbox') {
      page.makeList(element, handle);
    } else if (tag === 'button') {
      element.type = 'button';
      element.addEventListener('click', function () { _korvanta_web_clicked(handle); });
    }
    page.elements.push(element);
    page.form.appendChild(element);
    return handle;
  },

  korvanta_page_set_attribute__deps: ['$korvantaPage'],
  korvanta_page_set_attribute: function (handle, name, value) {
    korvantaPage.elements[handle].setAttribute(UTF8ToString(name), UTF8ToString(value));
  },

  // An input's or a box's value; the caption of anything else.
  korvanta_page_set_text__deps: ['$korvantaPage'],
  korvanta_page_set_text: function (handle, text, length) {
    var element = korvantaPage.elements[handle];
    var field = element.tagName === 'INPUT' || element.tagName === 'TEXTAREA';
    element[field ? 'value' : 'textContent'] = UTF8ToString(text, length);
  },

  // The text of an input as UTF-8, in memory the caller frees.
  korvanta_page_text__deps: ['$korvantaPage', 'malloc'],
  korvanta_page_text: function (handle) {
    var text = korvantaPage.elements[handle].value;
    var size = lengthBytesUTF8(text) + 1;
    var copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
  },

  korvanta_page_add_row__deps: ['$korvantaPage'],
  korvanta_page_add_row: function (handle, text, length) {
    var list = korvantaPage.elements[handle];
    var option = document.createElement('div');
    option.setAttribute('role', 'option');
    option.setAttribute('aria-selected', 'false');
    option.id = list.id + '-' + list.children.length;
    option.textContent = UTF8ToString(text, length);
    list.appendChild(option);
    korvantaPage.reveal(list, list.children.length - 1);
  },

  korvanta_page_clear_rows__deps: ['$korvantaPage'],
  korvanta_page_clear_rows: function (handle) {
    var list = korvantaPage.elements[handle];
    list.textContent = '';
    list.selectedRow = -1;
    list.removeAttribute('aria-activedescendant');
  },

  korvanta_page_select_row__deps: ['$korvantaPage'],
  korvanta_page_select_row: function (handle, row) {
    var list = korvantaPage.elements[handle];
    var before = list.children[list.selectedRow];
    var after = list.children[row];
    if (before) before.setAttribute('aria-selected', 'false');
    list.selectedRow = row;
    if (after) {
      after.setAttribute('aria-selected', 'true');
      list.setAttribute('aria-activedescendant', after.id);
      korvantaPage.reveal(list, row);
    } else {
      list.removeAttribute('aria-activedescendant');
    }
  },

  korvanta_page_enabled__deps: ['$korvantaPage'],
  korvanta_page_enabled: function (handle) {
    return !korvantaPage.elements[handle].disabled;
  },

  // A disabled control keeps no focus: it goes on to the next one that takes it, so that
  // the keyboard still works.
  korvanta_page_set_enabled__deps: ['$korvantaPage'],
  korvanta_page_set_enabled: function (handle, enabled) {
    var elements = korvantaPage.elements;
    var element = elements[handle];
    var hadFocus = document.activeElement === element;
    element.disabled = !enabled;
    for (var step = 1; hadFocus && !enabled && step < elements.length; ++step) {
      var next = elements[(handle + step) % elements.length];
      if (next.tabIndex >= 0 && !next.disabled) {
        next.focus();
        break;
      }
    }
  },
});
