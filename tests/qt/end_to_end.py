# SPDX-License-Identifier: MIT
"""Works the example 24 x 26 on the running program as a user would, with the window
"Защо става така?" open beside it, then practises the same task by the keyboard in the
window "Упражнение": clicks and keys through xdotool, and reads the windows back through
AT-SPI, as a screen reader does, including what the program announces.
With "en" after them: the program was started in English (see english()).
Usage: end_to_end.py PROGRAM_PID OUTPUT_DIR [en]"""

import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

PID = int(sys.argv[1])
OUT = sys.argv[2]


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def wait_for(what, check, timeout=10.0):
    """Polls check() until it gives a true value; fails with `what` after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        while GLib.MainContext.default().iteration(False):  # the accessibility events that came
            pass
        value = check()
        if value:
            return value
        if time.monotonic() > deadline:
            fail("timed out waiting for " + what)
        time.sleep(0.05)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == PID:
            return app
    return None


def find(root, role, name):
    for child in root:
        if child.getRole() == role and child.name == name:
            return child
        found = find(child, role, name)
        if found is not None:
            return found
    return None


def centre(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return str(box.x + box.width // 2), str(box.y + box.height // 2)


def click(accessible):
    xdotool("mousemove", *centre(accessible), "click", "1")


def text(accessible):
    return accessible.queryText().getText(0, -1)


def rows(listbox):
    return [item.name for item in listbox]


def selected_rows(listbox):
    return [i for i, item in enumerate(listbox) if item.getState().contains(pyatspi.STATE_SELECTED)]


def enabled(button):
    return button.getState().contains(pyatspi.STATE_SENSITIVE)


def type_into(box, typed):
    click(box)
    xdotool("key", "--clearmodifiers", "ctrl+a")
    xdotool("type", "--delay", "20", typed)
    wait_for("%r in %s" % (typed, box.name), lambda: text(box) == typed)


def screenshot(name, window_id):
    subprocess.run(["import", "-window", "root", "%s/%s-screen.png" % (OUT, name)], check=True)
    subprocess.run(["import", "-window", window_id, "%s/%s-window.png" % (OUT, name)], check=True)


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def side_by_side(name, main, beside):
    """A picture of the main window and the window beside it, with the gap between them."""
    subprocess.run(["import", "-window", "root", "%s/%s-screen.png" % (OUT, name)], check=True)
    grabs = []
    for part, shown in [("main", main), (name, beside)]:
        x, y, width, height = extents(shown)
        grabs.append("%s/%s-%s.png" % (OUT, name, part))
        subprocess.run(["convert", "%s/%s-screen.png" % (OUT, name), "-crop", "%dx%d+%d+%d" % (width, height, x, y),
                        "+repage", grabs[-1]], check=True)
    subprocess.run(["convert", grabs[0], "-size", "8x1", "xc:none", grabs[1], "-background", "none", "+append",
                    "+repage", "%s/%s-beside.png" % (OUT, name)], check=True)


def shown_window(name):
    """The program's window called `name` while it is shown."""
    for window in app:
        if window is not None and window.name == name and showing(window):
            return window
    return None


def explanation():
    return shown_window("Защо става така?")


def cells(table):
    cells = table.queryTable()
    return ["\t".join(cells.getAccessibleAt(row, column).name for column in range(cells.nColumns))
            for row in range(cells.nRows)]


def open_explanation(how):
    window = wait_for("the explanation to open by " + how, explanation)
    wait_for("its controls to show", lambda: all(showing(control) for control in window))
    print("the explanation opened by " + how, flush=True)
    return window


def close_explanation():
    xdotool("key", "Escape")
    wait_for("Esc to close the explanation", lambda: explanation() is None)


def application_locale():
    """The language the program tells screen readers: Qt answers AT-SPI's GetLocale of the
    application (pyatspi does not ask it), on the accessibility bus."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None, None, 0, -1,
                                None).unpack()[0]
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None,
        None)

    def ask(method, *args):
        return bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
                             GLib.Variant("(s)", args) if args else None, None, 0, -1, None).unpack()[0]

    for name in ask("ListNames"):
        if name.startswith(":") and ask("GetConnectionUnixProcessID", name) == PID:
            return bus.call_sync(name, "/org/a11y/atspi/accessible/root", "org.a11y.atspi.Application", "GetLocale",
                                 GLib.Variant("(u)", (0,)), None, 0, -1, None).unpack()[0]
    return None


def worked_example(clear, first, second, calculate, working, left, after_press=lambda press: None):
    """Clear, both numbers typed, Calculate four times: the rows of 24 × 26, press by press."""
    click(clear)
    wait_for("Clear to empty the working box", lambda: text(working) == "" and text(first) == "")
    type_into(first, "24")
    type_into(second, "26")
    for press in range(1, 5):
        click(calculate)
        wait_for("row %d after press %d" % (press + 1, press), lambda: left.childCount == press + 1)
        after_press(press)


def english():
    """The worked example and a bad input in the program started in English, then the
    switch back to Bulgarian through the context menu, every caption following at once."""
    window = wait_for("the main window", lambda: app[0] if app.childCount else None)
    if window.name != "www.example.org Maths - multiplying by halving and doubling":
        fail("the English window's caption is %r" % window.name)
    if application_locale() != "en_US":
        fail("the application's language for screen readers is %r" % application_locale())
    names = ["Number 1", "Number 2", "Working", "Numbers doubled", "Numbers halved", "Calculate", "Clear"]
    roles = [pyatspi.ROLE_TEXT] * 3 + [pyatspi.ROLE_LIST] * 2 + [pyatspi.ROLE_PUSH_BUTTON] * 2
    first, second, working, left, right, calculate, clear = (find(window, role, name) for role, name in
                                                              zip(roles, names))
    if None in (first, second, working, left, right, calculate, clear):
        fail("a control without its English name")
    if not text(working).startswith("There is a way to multiply two whole numbers"):
        fail("the working box opens with %r" % text(working)[:40])
    window_id = subprocess.run(["xdotool", "search", "--pid", str(PID), "--name", "Maths"], check=True,
                               capture_output=True, text=True).stdout.split()[0]
    worked_example(clear, first, second, calculate, working, left)
    wait_for("the product", lambda: text(working) == "48 + 192 + 384 = 624\n")
    click(right[2])
    wait_for("row 2 selected in both columns", lambda: selected_rows(left) == [2] and selected_rows(right) == [2])
    screenshot("english", window_id)
    print("worked example in English: %r" % text(working), flush=True)

    click(clear)
    wait_for("Clear to empty the columns", lambda: left.childCount == 0)
    type_into(first, "1")
    type_into(second, "26")
    click(calculate)
    wait_for("the message on a bad input", lambda: text(working) == "Each factor must be greater than 1!")

    # Through the context menu: its third entry, the first after the separator, is Bulgarian.
    xdotool("mousemove", *centre(find(window, pyatspi.ROLE_LABEL, "Maths - multiplying by halving")), "click", "3")
    time.sleep(0.3)
    xdotool("key", "Down", "Down", "Down", "Return")
    wait_for("the captions in Bulgarian", lambda: calculate.name == "Сметни" and window.name.endswith(
        " Математика - цвлочислено умножение"))
    wait_for("the message in Bulgarian", lambda: text(working) == "Всеки множител да е по-голям от 1!")
    if application_locale() != "bg_BG":
        fail("after the switch the application's language is %r" % application_locale())
    print("switched to Bulgarian through the context menu", flush=True)
    print("end-to-end test in English passed", flush=True)


app = wait_for("the program on the accessibility bus", application, timeout=20)
if sys.argv[3:] == ["en"]:
    english()
    sys.exit(0)
window = wait_for("the main window", lambda: app[0] if app.childCount else None)
if not window.name.endswith(" Математика - цвлочислено умножение"):
    fail("the window's caption is %r" % window.name)
first = find(window, pyatspi.ROLE_TEXT, "Число 1")
second = find(window, pyatspi.ROLE_TEXT, "Число 2")
working = find(window, pyatspi.ROLE_TEXT, "Решение")
left = find(window, pyatspi.ROLE_LIST, "Удвоени числа")
right = find(window, pyatspi.ROLE_LIST, "Разполовени числа")
calculate = find(window, pyatspi.ROLE_PUSH_BUTTON, "Сметни")
clear = find(window, pyatspi.ROLE_PUSH_BUTTON, "Чисти")
for name, found in [("Число 1", first), ("Число 2", second), ("Решение", working), ("Удвоени числа", left),
                    ("Разполовени числа", right), ("Сметни", calculate), ("Чисти", clear)]:
    if found is None:
        fail("no control named " + name)
if not text(working).startswith("Съществува алгоритъм"):
    fail("the working box opens without the task statement: %r" % text(working)[:40])
if (text(first), text(second)) != ("24", "26"):
    fail("the inputs open with %r and %r" % (text(first), text(second)))
window_id = subprocess.run(["xdotool", "search", "--pid", str(PID), "--name", "Математика"], check=True,
                           capture_output=True, text=True).stdout.split()[0]
print("window found", flush=True)

# Room beside the main window, as a user makes it by moving the window; a click puts
# the keyboard in it, and F1 opens the explanation beside it, on the worked example.
xdotool("windowmove", window_id, "40", "y")
wait_for("the main window to move", lambda: extents(window)[0] == 40)
click(find(window, pyatspi.ROLE_LABEL, "Математика - умножение чрез деление"))
xdotool("key", "F1")
why = open_explanation("F1")
table = find(why, pyatspi.ROLE_TABLE, "Редовете на таблицата")
summary = find(why, pyatspi.ROLE_TEXT, "Какво показват редовете")
if table is None or summary is None or find(why, pyatspi.ROLE_TEXT, "Защо става така") is None:
    fail("the explanation lacks its table or texts")
headings = [table.queryTable().getColumnHeader(column).name for column in range(table.queryTable().nColumns)]
if headings != ["Ред", "Число 2", "Остатък", "Степен на 2", "Число 1 × степен", "В сумата"]:
    fail("the table's column headers are %r" % headings)
x, y, width, height = extents(window)
if extents(why)[:2] != (x + width + 8, y):
    fail("the explanation opened at %r, the main window is at %r" % (extents(why), extents(window)))
EXAMPLE = ["0\t26\t0\t1\t24\tне", "1\t13\t1\t2\t48\tда", "2\t6\t0\t4\t96\tне", "3\t3\t1\t8\t192\tда",
           "4\t1\t1\t16\t384\tда"]
LINES = "26 = 16 + 8 + 2 = 11010 (двоично)\n24 × 26 = 24 × 2 + 24 × 8 + 24 × 16 = 48 + 192 + 384 = 624\n"
wait_for("the worked example before the first row", lambda: cells(table) == EXAMPLE and text(summary) == LINES)

# The worked example with the mouse: Clear, type both numbers, Calculate four times; the
# explanation follows each press.
def explanation_follows(press):
    digits = "".join(row.split("\t")[2] for row in EXAMPLE[press::-1])
    so_far = LINES if press == 4 else "Остатъците досега, отдолу нагоре: %s\n" % digits
    wait_for("the explanation after press %d" % press,
             lambda: cells(table) == EXAMPLE[:press + 1] and text(summary) == so_far)


worked_example(clear, first, second, calculate, working, left, explanation_follows)
wait_for("the product", lambda: text(working).startswith("48 + 192 + 384 = 624"))
if rows(left) != ["24", "48", "96", "192", "384"] or rows(right) != ["26", "13", "6", "3", "1"]:
    fail("the columns hold %r and %r" % (rows(left), rows(right)))
wait_for("Calculate to be disabled", lambda: not enabled(calculate))
click(calculate)
time.sleep(0.3)
if left.childCount != 5:
    fail("a disabled Calculate took a click")
print("worked example: %r" % text(working), flush=True)

# A row clicked in the right column is selected in both.
click(right[2])
wait_for("row 2 selected in both columns", lambda: selected_rows(left) == [2] and selected_rows(right) == [2])
wait_for("row 2 selected in the explanation", lambda: list(table.queryTable().getSelectedRows()) == [2])
print("row 2 selected in both columns", flush=True)
screenshot("worked-example", window_id)

# A row clicked in the explanation is chosen in both columns; the two windows side by
# side, with the gap between them, make the explanation's screenshot.
click(table.queryTable().getAccessibleAt(3, 4))
wait_for("row 3 of the explanation selected in both columns",
         lambda: selected_rows(left) == [3] and selected_rows(right) == [3])
side_by_side("explanation", window, why)
close_explanation()
print("a row chosen in the explanation is chosen in both columns; Esc closed it", flush=True)

# The context menu opens it too: a right click on a label, and Shift+F10 on a list.
xdotool("mousemove", *centre(find(window, pyatspi.ROLE_LABEL, "Число 2")), "click", "3")
time.sleep(0.3)
xdotool("key", "Down", "Return")
open_explanation("the context menu of a label")
close_explanation()
click(left[1])
xdotool("key", "shift+F10")
time.sleep(0.3)
xdotool("key", "Down", "Return")
open_explanation("Shift+F10 on a list")

# The keyboard alone: the arrow keys walk its rows, which both columns follow; Esc gives
# the keyboard back to the main window, where F1 and the Menu key open it again.
xdotool("key", "Down")
wait_for("Down in the explanation to choose row 2 in both columns",
         lambda: selected_rows(left) == [2] and selected_rows(right) == [2])
close_explanation()
xdotool("key", "F1")
open_explanation("F1 after Esc, without a click")
close_explanation()
xdotool("key", "Menu")
time.sleep(0.3)
xdotool("key", "Down", "Return")
open_explanation("the Menu key")
close_explanation()

# The keyboard: Enter in an input presses Calculate.
click(clear)
wait_for("Clear to empty the columns", lambda: left.childCount == 0 and enabled(calculate))
type_into(first, "34")
type_into(second, "44")
xdotool("key", "Return")
wait_for("Enter to make the first step", lambda: rows(left) == ["34", "68"] and rows(right) == ["44", "22"])
print("Enter pressed Calculate", flush=True)

# The practice by the keyboard: F2 opens it beside the main window, with the keyboard on
# the next row; Shift+Tab goes back to the task, typed by hand and started with Enter; a
# right row, then a wrong one. Screen readers hear each feedback as the box's new
# description, once, after the greeting written as the window was built.
announced = []
pyatspi.Registry.registerEventListener(
    lambda event: announced.append(event.source.description) if event.source.name == "Какво казва програмата"
    else None, "object:property-change:accessible-description")


def focused(accessible):
    return accessible.getState().contains(pyatspi.STATE_FOCUSED)


def type_keys(*keys_and_texts):
    """Keys (a list) and texts (a string) in order, into whatever has the keyboard."""
    for item in keys_and_texts:
        xdotool(*(["key", "--clearmodifiers", *item] if isinstance(item, list) else ["type", "--delay", "20", item]))


xdotool("key", "F2")
practice = wait_for("F2 to open the practice", lambda: shown_window("Упражнение"))
wait_for("its controls to show", lambda: all(showing(control) for control in practice))
x, y, width, height = extents(window)
if extents(practice)[:2] != (x + width + 8, y):
    fail("the practice opened at %r, the main window is at %r" % (extents(practice), extents(window)))
task, left_entry, feedback = (find(practice, pyatspi.ROLE_TEXT, name) for name in
                              ["Число 1 на задачата", "Следващ ред, числото вляво", "Какво казва програмата"])
levels = find(practice, pyatspi.ROLE_LIST, "Ниво")
if rows(levels) != ["лесно", "средно", "трудно"] or not all(showing(level) for level in levels):
    fail("the levels are %r, not all in sight" % rows(levels))
wait_for("the keyboard on the next row", lambda: focused(left_entry))
type_keys(["shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab"])
wait_for("Shift+Tab back to the task", lambda: focused(task))
COUNTS = "\nСтъпки: %d, верни от първия опит: %d, грешки: %d."
SAYINGS = [(["ctrl+a"], "24", ["Tab", "ctrl+a"], "26", ["Return"]),
           "Своя задача. Задачата е 24 × 26. Първият ред е готов: това са двете числа. Напиши следващия ред: "
           "вляво 24 × 2, вдясно 26 : 2 без остатъка." + COUNTS % (0, 0, 0),
           ("48", ["Tab"], "13", ["Return"]),
           "Вярно! Напиши следващия ред: вляво 48 × 2, вдясно 13 : 2 без остатъка." + COUNTS % (1, 1, 0),
           ("96", ["Tab"], "7", ["Return"]),
           "13 : 2 = 6 и остатък 1. Остатъкът не се пише — пишем 6. Опитай пак." + COUNTS % (1, 1, 1)]
for keys, said in zip(SAYINGS[::2], SAYINGS[1::2]):
    type_keys(*keys)
    wait_for("%r after %r" % (said, keys), lambda: text(feedback) == said and focused(left_entry))
so_far = find(practice, pyatspi.ROLE_TABLE, "Редовете досега")
if cells(so_far) != ["1\t24\t26\t", "2\t48\t13\t"]:
    fail("the rows so far are wrong")
wait_for("the mistake announced", lambda: announced and announced[-1] == said)
if announced[1:] != SAYINGS[1::2] or not announced[0].startswith("Здравей! "):
    fail("announced %r" % announced)
side_by_side("practice", window, practice)

# The rest of the task: the row corrected and the rest typed, the rows with an odd number
# on the right marked (a row clicked, then the button), and the product, praised.
for number, (doubled, halved) in enumerate([("96", "6"), ("192", "3"), ("384", "1")], start=3):
    type_keys(["ctrl+a"], doubled, ["Tab", "ctrl+a"], halved, ["Return"])
    wait_for("row %d taken" % number, lambda: len(cells(so_far)) == number and focused(left_entry))
mark = find(practice, pyatspi.ROLE_PUSH_BUTTON, "Сложи избрания ред в сумата")
for row in [1, 3, 4]:
    click(so_far.queryTable().getAccessibleAt(row, 1))
    wait_for("row %d chosen" % (row + 1), lambda: list(so_far.queryTable().getSelectedRows()) == [row])
    click(mark)
    wait_for("row %d in the sum" % (row + 1), lambda: cells(so_far)[row].endswith("\tда"))
ALL_ROWS = ["1\t24\t26\t", "2\t48\t13\tда", "3\t96\t6\t", "4\t192\t3\tда", "5\t384\t1\tда"]
if cells(so_far) != ALL_ROWS:
    fail("the finished rows are %r" % cells(so_far))
click(find(practice, pyatspi.ROLE_TEXT, "Произведение"))
type_keys("624", ["Return"])
PRAISE = "Браво! 24 × 26 = 48 + 192 + 384 = 624."
wait_for("the praise", lambda: text(feedback).startswith(PRAISE))
wait_for("the praise announced", lambda: announced[-1].startswith(PRAISE))
print("practice to the end: every row, the marks and the product praised", flush=True)
xdotool("key", "Escape")
wait_for("Esc to close the practice", lambda: shown_window("Упражнение") is None)
print("practice by the keyboard: a task typed, a row right, a mistake explained and announced", flush=True)
print("end-to-end test passed", flush=True)
