// SPDX-License-Identifier: MIT
// The page's side of the web windows (web_window.cpp): each window of the program as a
// frame on the page, the elements of its controls made, changed and read as the C++ side
// asks, and the user's clicks, taps and keys passed back to it by the window's handle and
// the element's handle (its place in the page's list of elements). The main window comes
// first, with a button for each entry of its menu under it, outside its frame; the windows
// of its menu are non-modal dialogs with a title bar of their own, beside it where the
// viewport has room for both and under it where it has not, all at one scale. The page's
// language (<html lang>) is the program's, and the languages of the menu are a choice of
// language under the window.
mergeInto(LibraryManager.library, {
  $korvantaPage: {
    page: null, // holds the windows, side by side or one above the other
    windows: [], // by handle: {frame, scaled, form, menu, elements}, null once closed
    elements: [], // every control's element, by handle
    keys: {}, // the menu's keys: "F1" to the button under the window that does the same
    lastFocus: null, // what last had the focus outside the windows of the menu
    gap: 8, // CSS pixels between two windows
    // The name of a window's close button in each language, the page's own word.
    closeNames: { bg: 'Затвори', en: 'Close' },
    closeName: function () {
      var names = korvantaPage.closeNames;
      return names[document.documentElement.lang] || names.bg;
    },
    // The main window and the shown windows of its menu, at their own size where the
    // viewport has room for them, else scaled down alike, the same way across and down.
    // Side by side, their tops level, where that keeps them at three quarters or more of
    // the size they have one above the other (which may scroll the page down); the main
    // window alone is never scrolled.
    fit: function () {
      var page = korvantaPage;
      if (!page.page) return;
      var shown = page.windows.filter(function (w) { return w && !w.frame.hidden; });
      var width = innerWidth;
      var height = innerHeight;
      var across = 1;
      var sum = 0;
      var widest = 0;
      shown.forEach(function (w) {
        // Sizes as laid out, before the scale (a transform does not change them).
        w.width = w.scaled.offsetWidth;
        w.height = w.scaled.offsetHeight;
        sum += w.width;
        widest = Math.max(widest, w.width);
        across = Math.min(across, (height - (w.menu ? w.menu.offsetHeight : 0)) / w.height);
      });
      across = Math.min(across, (width - page.gap * (shown.length - 1)) / sum);
      var stacked = Math.min(1, width / widest);
      var side = shown.length < 2 || across >= 0.75 * stacked;
      var scale = side ? across : stacked;
      document.body.style.overflowY = side ? '' : 'auto';
      if (!side && document.body.clientWidth < width) {
        scale = Math.min(1, document.body.clientWidth / widest); // beside a scroll bar
      }
      page.page.style.flexDirection = side ? 'row' : 'column';
      page.page.style.alignItems = side ? 'flex-start' : 'center';
      page.page.style.gap = page.gap + 'px';
      shown.forEach(function (w) {
        w.scaled.style.transform = scale < 1 ? 'scale(' + scale + ')' : '';
        w.frame.style.width = w.width * scale + 'px';
        w.frame.style.height = w.height * scale + 'px';
      });
    },
    // The elements of a window, in the order of their handles (the tab order).
    elementsOf: function (w) {
      return w.elements.map(function (handle) { return korvantaPage.elements[handle]; });
    },
    // Gives the focus to the first element of `w` from `start` on, round to its start, that
    // takes it; false when none does.
    focusFrom: function (w, start) {
      var elements = korvantaPage.elementsOf(w);
      for (var step = 0; step < elements.length; ++step) {
        var element = elements[(start + step) % elements.length];
        if (element.tabIndex >= 0 && !element.disabled) {
          element.focus();
          return true;
        }
      }
      return false;
    },
    // Hides a window of the menu; the focus, if it was in it or nowhere (a tap on a button
    // need not focus it), goes back to where it was before, or to the first control of the
    // main window that takes it.
    hide: function (w) {
      var page = korvantaPage;
      var focus = document.activeElement;
      w.frame.hidden = true;
      page.fit();
      if (focus && focus !== document.body && !w.frame.contains(focus)) return;
      var last = page.lastFocus;
      if (last && last.isConnected && !last.disabled) {
        last.focus();
      }
      if (document.activeElement !== last) {
        page.focusFrom(page.windows[0], 0);
      }
    },
    // A key of the menu, anywhere on the page, instead of what the browser would do with
    // it (F1 opens its own help).
    onKey: function (event) {
      var button = korvantaPage.keys[event.key];
      if (button && !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey) {
        event.preventDefault();
        button.click();
      }
    },
    // "#en" put after the page's address while it is open chooses that language, as the
    // choice under the window would.
    onHash: function () {
      var choice = korvantaPage.windows[0].languages;
      var code = location.hash.slice(1);
      var option = choice && Array.prototype.find.call(choice.options, function (o) { return o.lang === code; });
      if (option && !option.selected) {
        choice.value = option.value;
        choice.dispatchEvent(new Event('change'));
      }
    },
    onFocus: function (event) {
      if (!event.target.closest('[role=dialog]')) korvantaPage.lastFocus = event.target;
    },
    // Removes the rows of a list past those it keeps.
    trim: function (list) {
      while (list.body.children.length > list.kept) list.body.lastChild.remove();
    },
    // Shows a list's row (the newest, or the one chosen) once the change in hand is over:
    // a press of a button adds two rows and may choose one, and the list scrolls once.
    reveal: function (list, row) {
      if (list.reveal === undefined) {
        queueMicrotask(function () {
          var option = list.body.children[list.reveal];
          list.reveal = undefined;
          if (!option) return;
          var head = list.head ? list.head.offsetHeight : 0; // stays at the top
          if (option.offsetTop - head < list.scrollTop) {
            list.scrollTop = option.offsetTop - head;
          } else if (option.offsetTop + option.offsetHeight > list.scrollTop + list.clientHeight) {
            list.scrollTop = option.offsetTop + option.offsetHeight - list.clientHeight;
          }
        });
      }
      list.reveal = row;
    },
    // The row a key takes a list to, or undefined for a key that does not move it.
    rowForKey: function (list, key) {
      var rows = list.kept;
      var row = list.selectedRow;
      var seen = list.clientHeight - (list.head ? list.head.offsetHeight : 0);
      var perPage = rows ? Math.max(1, Math.floor(seen / list.body.children[0].offsetHeight) - 1) : 1;
      var to = {
        ArrowDown: row + 1, ArrowUp: row - 1, Home: 0, End: rows - 1,
        PageDown: row + perPage, PageUp: row - perPage,
      }[key];
      return to === undefined || rows === 0 ? undefined : Math.max(0, Math.min(rows - 1, to));
    },
    // A list box of the ARIA pattern: a focusable element of role listbox whose rows are
    // options, the chosen one marked selected and named as the active descendant. HTML's
    // <select size> would be one too, but phones and tablets show it as a drop-down menu.
    // A table is a read-only grid of the same kind: a row of column headers that stays at
    // the top, then rows of cells, each row chosen as a whole; a screen reader reads a
    // cell with its column's header.
    makeList: function (list, handle, grid) {
      list.setAttribute('role', grid ? 'grid' : 'listbox');
      list.tabIndex = 0;
      list.selectedRow = -1;
      list.kept = 0; // rows, from the top, that the list holds now
      list.body = list;
      if (grid) {
        list.setAttribute('aria-readonly', 'true');
        list.head = document.createElement('div');
        list.head.setAttribute('role', 'row');
        list.body = document.createElement('div');
        list.body.setAttribute('role', 'rowgroup');
        list.append(list.head, list.body);
      }
      list.addEventListener('click', function (event) {
        var option = event.target.closest('[role=option], [role=row]');
        if (option && option.parentNode === list.body) {
          _korvanta_web_row_chosen(list.korvantaWindow, handle, Array.prototype.indexOf.call(list.body.children, option));
        }
      });
      list.addEventListener('keydown', function (event) {
        var row = korvantaPage.rowForKey(list, event.key);
        if (row !== undefined && !event.altKey && !event.ctrlKey && !event.metaKey) {
          event.preventDefault();
          _korvanta_web_row_chosen(list.korvantaWindow, handle, row);
        }
      });
    },
    // Cells of `tag` and `role` in `row`, one for each part of `text` between tabs.
    fillRow: function (row, text, tag, role) {
      text.split('\t').forEach(function (part) {
        var cell = document.createElement(tag);
        cell.setAttribute('role', role);
        cell.textContent = part;
        row.appendChild(cell);
      });
    },
  },

  // A window on the page: the main window (owner -1), or a window of its menu, hidden. A
  // window is a frame holding a <form> with the controls; a window of the menu also has a
  // title bar with its caption and a close button, and Esc in it closes it too.
  korvanta_page_open__deps: ['$korvantaPage'],
  korvanta_page_open: function (title, name, style, owner) {
    var page = korvantaPage;
    var w = { form: document.createElement('form'), elements: [], menu: null, owned: owner >= 0 };
    var handle = page.windows.length;
    title = UTF8ToString(title);
    w.form.className = 'korvanta';
    w.form.style.cssText = UTF8ToString(style);
    // Enter in an input presses the button of its description (korvanta_page_set_enter);
    // the page itself never goes anywhere.
    w.form.addEventListener('submit', function (event) { event.preventDefault(); });
    w.frame = document.createElement('div');
    w.frame.className = 'korvanta-frame';
    w.frame.id = UTF8ToString(name);
    w.scaled = w.form;
    if (owner < 0) {
      document.title = title;
      w.form.setAttribute('aria-label', title);
      page.page = document.createElement('div');
      page.page.className = 'korvanta-page';
      var column = document.createElement('div');
      column.className = 'korvanta-column';
      w.frame.appendChild(w.form);
      column.appendChild(w.frame);
      page.page.appendChild(column);
      document.body.appendChild(page.page);
      // Fitted when the page is next laid out anyway, before it is painted.
      requestAnimationFrame(page.fit);
      addEventListener('resize', page.fit);
      addEventListener('keydown', page.onKey);
      addEventListener('focusin', page.onFocus);
      addEventListener('hashchange', page.onHash);
    } else {
      var id = w.frame.id;
      w.frame.hidden = true;
      w.frame.setAttribute('role', 'dialog');
      w.frame.setAttribute('aria-modal', 'false');
      w.frame.setAttribute('aria-labelledby', id + '-title');
      w.form.setAttribute('aria-labelledby', id + '-title');
      w.scaled = document.createElement('div');
      w.scaled.className = 'korvanta-window';
      var bar = document.createElement('div');
      bar.className = 'korvanta-title';
      var caption = document.createElement('span');
      caption.id = id + '-title';
      caption.textContent = title;
      var close = document.createElement('button');
      close.type = 'button';
      close.textContent = '\u00d7';
      close.title = page.closeName();
      close.setAttribute('aria-label', close.title);
      close.className = 'korvanta-close';
      w.caption = caption;
      close.addEventListener('click', function () { page.hide(w); });
      bar.append(caption, close);
      w.scaled.append(bar, w.form);
      w.frame.appendChild(w.scaled);
      w.frame.addEventListener('keydown', function (event) {
        if (event.key === 'Escape' && !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey) {
          event.preventDefault();
          page.hide(w);
        }
      });
      page.page.appendChild(w.frame);
    }
    page.windows.push(w);
    return handle;
  },

  korvanta_page_close__deps: ['$korvantaPage'],
  korvanta_page_close: function (handle) {
    var page = korvantaPage;
    var w = page.windows[handle];
    if (w.owned) {
      page.hide(w);
      w.frame.remove();
      w.elements.forEach(function (element) { page.elements[element] = null; });
      page.windows[handle] = null;
      return;
    }
    // The main window: the page closes with it.
    removeEventListener('resize', page.fit);
    removeEventListener('keydown', page.onKey);
    removeEventListener('focusin', page.onFocus);
    page.page.remove();
    removeEventListener('hashchange', page.onHash);
    page.page = page.lastFocus = null;
    page.windows = [];
    page.elements = [];
    page.keys = {};
  },

  // Shows a window of the menu and moves the focus into it, unless it is there already.
  korvanta_page_show__deps: ['$korvantaPage'],
  korvanta_page_show: function (handle) {
    var page = korvantaPage;
    var w = page.windows[handle];
    var wanted = w.focus;
    w.frame.hidden = false;
    w.focus = null;
    page.fit();
    if (w.frame.contains(document.activeElement)) return;
    if (wanted && !wanted.disabled) {
      wanted.focus();
    } else {
      page.focusFrom(w, 0);
    }
  },

  korvanta_page_shown__deps: ['$korvantaPage'],
  korvanta_page_shown: function (handle) {
    return !korvantaPage.windows[handle].frame.hidden;
  },

  // The title of a window: the page's own for the main window, else its title bar's.
  korvanta_page_set_title__deps: ['$korvantaPage'],
  korvanta_page_set_title: function (handle, title) {
    var w = korvantaPage.windows[handle];
    title = UTF8ToString(title);
    if (w.owned) {
      w.caption.textContent = title;
    } else {
      document.title = title;
      w.form.setAttribute('aria-label', title);
    }
  },

  // The page in the language `code`: its <html lang>, the language shown as chosen under
  // the window, and the page's own words.
  korvanta_page_set_language__deps: ['$korvantaPage'],
  korvanta_page_set_language: function (code) {
    var page = korvantaPage;
    code = UTF8ToString(code);
    document.documentElement.lang = code;
    var choice = page.windows[0] && page.windows[0].languages;
    if (choice) {
      Array.prototype.forEach.call(choice.options, function (option) { option.selected = option.lang === code; });
    }
    document.querySelectorAll('.korvanta-close').forEach(function (close) {
      close.title = page.closeName();
      close.setAttribute('aria-label', close.title);
    });
  },

  // The language the page's address asks for, "?lang=en" or "#en", as UTF-8 in memory the
  // caller frees; empty for none.
  korvanta_page_asked_language__deps: ['malloc'],
  korvanta_page_asked_language: function () {
    var code = new URLSearchParams(location.search).get('lang') || location.hash.slice(1);
    var size = lengthBytesUTF8(code) + 1;
    var copy = _malloc(size);
    stringToUTF8(code, copy, size);
    return copy;
  },

  // Under the main window, an entry of its menu: a button, with its key if it has one (1
  // for F1), which does the same anywhere on the page; or, for a language (its code in
  // `language`), an option of the choice of language, named in that language. Made the
  // first time, its text changed after.
  korvanta_page_menu_entry__deps: ['$korvantaPage'],
  korvanta_page_menu_entry: function (handle, entry, text, functionKey, language) {
    var page = korvantaPage;
    var w = page.windows[handle];
    var key = functionKey > 0 ? 'F' + functionKey : '';
    text = UTF8ToString(text);
    language = UTF8ToString(language);
    if (!w.menu) {
      w.menu = document.createElement('div');
      w.menu.className = 'korvanta-menu';
      w.frame.parentNode.appendChild(w.menu);
      w.entries = [];
    }
    var item = w.entries[entry];
    if (!item && language) {
      if (!w.languages) {
        // Named in every language it offers: whoever cannot read the one shown finds it.
        w.languages = document.createElement('select');
        w.languages.id = 'korvanta-language';
        w.languages.setAttribute('aria-label', 'Език · Language');
        w.languages.addEventListener('change', function () {
          _korvanta_web_menu_chosen(handle, Number(w.languages.value));
        });
        w.menu.appendChild(w.languages);
      }
      item = document.createElement('option');
      item.value = entry;
      item.lang = language;
      w.languages.appendChild(item);
    } else if (!item) {
      item = document.createElement('button');
      item.type = 'button';
      if (key) {
        item.setAttribute('aria-keyshortcuts', key);
        page.keys[key] = item;
      }
      item.addEventListener('click', function () { _korvanta_web_menu_chosen(handle, entry); });
      // The buttons come before the choice of language.
      w.menu.insertBefore(item, w.languages || null);
    }
    w.entries[entry] = item;
    item.textContent = key ? text + ' (' + key + ')' : text;
  },

  korvanta_page_add__deps: ['$korvantaPage'],
  korvanta_page_add: function (window, tag, id, style) {
    var page = korvantaPage;
    var w = page.windows[window];
    var handle = page.elements.length;
    tag = UTF8ToString(tag);
    var list = tag === 'listbox' || tag === 'grid';
    var element = document.createElement(list || tag === 'status' ? 'div' : tag);
    element.id = UTF8ToString(id);
    element.style.cssText = UTF8ToString(style);
    element.korvantaWindow = window;
    if (list) {
      page.makeList(element, handle, tag === 'grid');
    } else if (tag === 'status') {
      // A box of text whose every new text a screen reader reads out, once the user is
      // idle; it takes the focus, so that the keyboard scrolls it.
      element.setAttribute('role', 'status');
      element.setAttribute('aria-live', 'polite');
      element.setAttribute('aria-atomic', 'true');
      element.tabIndex = 0;
    } else if (tag === 'button') {
      element.type = 'button';
      element.addEventListener('click', function () { _korvanta_web_clicked(window, handle); });
    }
    page.elements.push(element);
    w.elements.push(handle);
    w.form.appendChild(element);
    return handle;
  },

  korvanta_page_set_attribute__deps: ['$korvantaPage'],
  korvanta_page_set_attribute: function (handle, name, value) {
    korvantaPage.elements[handle].setAttribute(UTF8ToString(name), UTF8ToString(value));
  },

  // An input's or a box's value; a table's column headings, separated by tabs; the
  // caption of anything else.
  korvanta_page_set_text__deps: ['$korvantaPage'],
  korvanta_page_set_text: function (handle, text, length) {
    var element = korvantaPage.elements[handle];
    text = UTF8ToString(text, length);
    if (element.head) {
      element.head.textContent = '';
      korvantaPage.fillRow(element.head, text, 'div', 'columnheader');
      return;
    }
    var field = element.tagName === 'INPUT' || element.tagName === 'TEXTAREA';
    // A box of the page breaks lines at LF alone (page.css), as a text area shows them.
    element[field ? 'value' : 'textContent'] = field ? text : text.replace(/\r\n/g, '\n');
  },

  // Gives an element the focus; in a hidden window, the focus goes there when it is shown.
  korvanta_page_focus__deps: ['$korvantaPage'],
  korvanta_page_focus: function (handle) {
    var page = korvantaPage;
    var element = page.elements[handle];
    var w = page.windows[element.korvantaWindow];
    if (w.frame.hidden) {
      w.focus = element;
    } else {
      element.focus();
    }
  },

  // Enter in the input `input` clicks the button `button` while that is enabled, and does
  // nothing else: the page never goes anywhere.
  korvanta_page_set_enter__deps: ['$korvantaPage'],
  korvanta_page_set_enter: function (input, button) {
    var page = korvantaPage;
    page.elements[input].addEventListener('keydown', function (event) {
      if (event.key === 'Enter' && !event.isComposing && !event.altKey && !event.ctrlKey && !event.metaKey) {
        event.preventDefault();
        var target = page.elements[button];
        if (!target.disabled) target.click();
      }
    });
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

  // Rows written again after Clear in the same turn, as they were, are kept rather than
  // made anew (the explanation writes all its rows on every press): the page then lays
  // out only what changed. The rest go at the first row that differs, or at the end of
  // the turn.
  korvanta_page_add_row__deps: ['$korvantaPage'],
  korvanta_page_add_row: function (handle, text, length) {
    var list = korvantaPage.elements[handle];
    var row = list.kept;
    var kept = list.body.children[row];
    text = UTF8ToString(text, length);
    if (kept && kept.korvantaText === text) {
      list.kept++;
      korvantaPage.reveal(list, row);
      return;
    }
    korvantaPage.trim(list);
    var option = document.createElement('div');
    option.setAttribute('role', list.head ? 'row' : 'option');
    option.setAttribute('aria-selected', 'false');
    option.id = list.id + '-' + row;
    option.korvantaText = text;
    if (list.head) {
      korvantaPage.fillRow(option, text, 'div', 'gridcell');
    } else {
      option.textContent = text;
    }
    list.body.appendChild(option);
    list.kept++;
    korvantaPage.reveal(list, row);
  },

  korvanta_page_clear_rows__deps: ['$korvantaPage'],
  korvanta_page_clear_rows: function (handle) {
    var list = korvantaPage.elements[handle];
    var selected = list.body.children[list.selectedRow];
    if (selected) selected.setAttribute('aria-selected', 'false');
    list.selectedRow = -1;
    list.removeAttribute('aria-activedescendant');
    list.kept = 0;
    queueMicrotask(function () { korvantaPage.trim(list); });
  },

  korvanta_page_select_row__deps: ['$korvantaPage'],
  korvanta_page_select_row: function (handle, row) {
    var list = korvantaPage.elements[handle];
    var before = list.body.children[list.selectedRow];
    var after = list.body.children[row];
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

  // A disabled control keeps no focus: it goes on to the next one of its window that
  // takes it, so that the keyboard still works.
  korvanta_page_set_enabled__deps: ['$korvantaPage'],
  korvanta_page_set_enabled: function (handle, enabled) {
    var page = korvantaPage;
    var element = page.elements[handle];
    var hadFocus = document.activeElement === element;
    element.disabled = !enabled;
    if (hadFocus && !enabled) {
      var w = page.windows[element.korvantaWindow];
      page.focusFrom(w, w.elements.indexOf(handle) + 1);
    }
  },
});
