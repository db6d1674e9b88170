# SPDX-License-Identifier: MIT
"""Works the example 24 x 26 on the running program as a user would: clicks and keys
through xdotool, and reads the window back through AT-SPI, as a screen reader does.
Usage: end_to_end.py PROGRAM_PID OUTPUT_DIR"""

import subprocess
import sys
import time

import pyatspi

PID = int(sys.argv[1])
OUT = sys.argv[2]


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def wait_for(what, check, timeout=10.0):
    """Polls check() until it gives a true value; fails with `what` after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
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


app = wait_for("the program on the accessibility bus", application, timeout=20)
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

# The worked example with the mouse: Clear, type both numbers, Calculate four times.
click(clear)
wait_for("Clear to empty the working box", lambda: text(working) == "" and text(first) == "")
type_into(first, "24")
type_into(second, "26")
for press in range(1, 5):
    click(calculate)
    wait_for("row %d after press %d" % (press + 1, press), lambda: left.childCount == press + 1)
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
print("row 2 selected in both columns", flush=True)
screenshot("worked-example", window_id)

# The keyboard: Enter in an input presses Calculate.
click(clear)
wait_for("Clear to empty the columns", lambda: left.childCount == 0 and enabled(calculate))
type_into(first, "34")
type_into(second, "44")
xdotool("key", "Return")
wait_for("Enter to make the first step", lambda: rows(left) == ["34", "68"] and rows(right) == ["44", "22"])
print("Enter pressed Calculate", flush=True)
print("end-to-end test passed", flush=True)
