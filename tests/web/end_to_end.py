# SPDX-License-Identifier: MIT
"""Works the example 24 x 26 on the program's page as a user would, in headless Chromium:
the page opened from disk, real key presses, mouse clicks and a finger's tap (WebDriver
actions), what a screen reader is told read from Chromium's accessibility tree; then
again with "Защо става така?" open beside the window; a practice by the keyboard in
"Упражнение"; then the same page served by a web server; then in English. Leaves
screenshots at desktop size and at 360 x 640, with and without the explanation, of the
practice, and in English.
Usage: end_to_end.py PAGE.html OUTPUT_DIR"""

import functools
import http.server
import pathlib
import sys
import threading

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.select import Select

import chromium

PAGE = pathlib.Path(sys.argv[1]).resolve()
OUT = pathlib.Path(sys.argv[2])
OUT.mkdir(parents=True, exist_ok=True)
failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: {actual!r}, expected {expected!r}")


def open_page(driver, url):
    driver.get(url)
    if chromium.wait_for(driver, "performance.getEntriesByName('korvanta-ready')[0]", timeout=20) is None:
        sys.exit(f"FAIL: the window was not built at {url}")
    # What the page loaded besides itself: nothing, or it would not work from a USB stick.
    check(f"files the page fetched at {url}",
          driver.execute_script("return performance.getEntriesByType('resource').map(e => e.name)"), [])


def element(driver, id):
    return driver.find_element(By.ID, id)


def rows(driver, list_id):
    return [row.text for row in element(driver, list_id).find_elements(By.CSS_SELECTOR, "[role=option]")]


def chosen(driver):
    return driver.execute_script("return ['List1_0', 'List1_1'].map(id => "
                                 "[...document.getElementById(id).children].findIndex(r => r.ariaSelected == 'true'))")


def accessible(driver):
    """The page as a screen reader gets it: {name: (role, properties)} of named nodes."""
    nodes = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    found = {}
    for node in nodes:
        name = node.get("name", {}).get("value")
        if name and not node.get("ignored"):
            properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            found.setdefault(name, (node["role"]["value"], properties))
    return found


# The worked example as "Why it works" shows it, row by row, and what its rows tell after
# each of the four presses.
EXAMPLE_ROWS = ["0\t26\t0\t1\t24\tне", "1\t13\t1\t2\t48\tда", "2\t6\t0\t4\t96\tне", "3\t3\t1\t8\t192\tда",
                "4\t1\t1\t16\t384\tда"]
EXAMPLE_SUMMARIES = ["Остатъците досега, отдолу нагоре: 10\n", "Остатъците досега, отдолу нагоре: 010\n",
                     "Остатъците досега, отдолу нагоре: 1010\n",
                     "26 = 16 + 8 + 2 = 11010 (двоично)\n"
                     "24 × 26 = 24 × 2 + 24 × 8 + 24 × 16 = 48 + 192 + 384 = 624\n"]


def explained(driver):
    """The rows of the explanation's table, cells separated by tabs, and its summary."""
    return driver.execute_script(
        "return [[...document.querySelectorAll('#ExplainRows_0 [role=rowgroup] > [role=row]')]"
        ".map(r => [...r.children].map(c => c.textContent).join('\\t')),"
        "document.getElementById('ExplainSummary_0').value]")


def focused(driver):
    return driver.switch_to.active_element.get_attribute("id")


def rect(driver, id):
    return driver.execute_script("var r = document.getElementById(arguments[0]).getBoundingClientRect();"
                                 "return [r.left, r.top, r.right, r.bottom]", id)


def work_the_example(driver):
    actions = ActionChains(driver)
    actions.click(element(driver, "Command1_1"))  # Clear: empty inputs
    actions.click(element(driver, "Text2_0")).send_keys("24").send_keys(Keys.TAB).send_keys("26")
    actions.send_keys(Keys.ENTER)  # presses Calculate
    for _ in range(3):
        actions.click(element(driver, "Command1_0"))
    actions.perform()
    check("the left column", rows(driver, "List1_0"), ["24", "48", "96", "192", "384"])
    check("the right column", rows(driver, "List1_1"), ["26", "13", "6", "3", "1"])
    check("the working box", element(driver, "Text1_0").get_property("value"), "48 + 192 + 384 = 624\n")
    check("the auxiliary box", element(driver, "Text1_1").get_property("value"), "192")
    check("Calculate enabled", element(driver, "Command1_0").is_enabled(), False)
    check("the focus after Calculate was disabled under it", driver.switch_to.active_element.get_attribute("id"),
          "Command1_1")


with chromium.browser() as driver:
    chromium.viewport(driver, 640, 520)
    open_page(driver, PAGE.as_uri())
    check("a dialog before F1", driver.execute_script("return document.querySelector('[role=dialog]')"), None)
    check("the page's title", driver.title, "www.example.org Математика - цвлочислено умножение")
    check("the page's language", driver.execute_script("return document.documentElement.lang"), "bg")
    # The licence comment at the top leaves the page in standards mode, and its encoding
    # declared within the first 1024 bytes, where a browser looks for it.
    check("the page's mode and encoding", driver.execute_script("return [document.compatMode, document.characterSet]"),
          ["CSS1Compat", "UTF-8"])
    charset = PAGE.read_bytes().find(b'<meta charset="utf-8">')
    check("the encoding declared in the first 1024 bytes", 0 <= charset <= 1024 - 22, True)
    check("the page's icon", driver.execute_script("return document.querySelector('link[rel=icon]').href")[:22],
          "data:image/png,%89%50%")
    check("the window's size", (element(driver, "Text1_0").find_element(By.XPATH, "..").rect["width"],
                                element(driver, "Text1_0").find_element(By.XPATH, "..").rect["height"]), (481, 424))

    check("controls not at the place and size they were given", driver.execute_script(
        "return [...document.querySelectorAll('form > *')].filter(e => [e.offsetLeft, e.offsetTop, e.offsetWidth, "
        "e.offsetHeight].join() != [e.style.left, e.style.top, e.style.width, e.style.height].map(parseFloat).join())"
        ".map(e => e.id)"), [])
    work_the_example(driver)
    driver.execute_script("window.stillThisPage = true")
    ActionChains(driver).click(element(driver, "Text2_1")).send_keys(Keys.ENTER).perform()
    check("rows after Enter on a finished table", len(rows(driver, "List1_0")), 5)
    check("the page after Enter", driver.execute_script("return window.stillThisPage === true"), True)

    # A row clicked in the right column is chosen in both; the arrow keys move both on.
    ActionChains(driver).click(element(driver, "List1_1-2")).perform()
    check("the rows chosen after a click on the right column", chosen(driver), [2, 2])
    ActionChains(driver).send_keys(Keys.ARROW_DOWN).perform()
    check("the rows chosen after the down arrow", chosen(driver), [3, 3])

    tree = accessible(driver)
    check("Number 1 to a screen reader", tree.get("Число 1", (None, {}))[0], "textbox")
    check("the right column to a screen reader", tree.get("Разполовени числа", (None, {}))[0], "listbox")
    check("its chosen row to a screen reader", tree.get("3", (None, {}))[1].get("selected"), True)
    check("Calculate to a screen reader", tree.get("Сметни", (None, {}))[1].get("disabled"), True)
    check("the working box to a screen reader", tree.get("Решение", (None, {}))[1].get("readonly"), True)

    # Tab goes round the controls in the order of the description; a disabled one is passed.
    element(driver, "Text1_0").click()
    order = []
    for _ in range(7):
        order.append(driver.switch_to.active_element.get_attribute("id"))
        ActionChains(driver).send_keys(Keys.TAB).perform()
    check("the tab order", order,
          ["Text1_0", "Text1_1", "Text2_0", "Text2_1", "List1_0", "List1_1", "Command1_1"])
    driver.save_screenshot(str(OUT / "screenshot-web.png"))

    # A phone held upright: the window scaled down to its width, and a finger's tap.
    chromium.viewport(driver, 360, 640, mobile=True)
    form = driver.execute_script("var r = document.querySelector('form').getBoundingClientRect();"
                                 "return [r.left, r.right, document.documentElement.scrollWidth]")
    check("the window across a 360 pixel wide phone", [round(x) for x in form], [0, 360, 360])
    finger = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
    finger.pointer_action.move_to(element(driver, "List1_0-1")).pointer_down().pointer_up()
    finger.perform()
    check("the rows chosen after a tap on the left column", chosen(driver), [1, 1])
    driver.save_screenshot(str(OUT / "screenshot-web-phone.png"))

    # "Why it works": F1 opens it beside the window, with the focus in its table, and it
    # follows the worked example press by press.
    chromium.viewport(driver, 1100, 540)
    ActionChains(driver).click(element(driver, "Command1_1")).send_keys(Keys.F1).perform()
    check("the explanation after F1", element(driver, "Explain").is_displayed(), True)
    check("the focus after F1", focused(driver), "ExplainRows_0")
    check("the explanation before the first row", explained(driver)[0], EXAMPLE_ROWS)
    window, dialog = rect(driver, "Korvanta"), rect(driver, "Explain")
    check("the explanation beside the window, level with it, 8 pixels apart",
          [round(dialog[0] - window[2]), round(dialog[1] - window[1])], [8, 0])
    # Other numbers replace the example's rows, and Clear brings them back.
    ActionChains(driver).click(element(driver, "Text2_0")).send_keys("7", Keys.TAB, "3", Keys.ENTER).perform()
    check("the explanation of 7 × 3 after a press", explained(driver),
          [["0\t3\t1\t1\t7\tда"], "Остатъците досега, отдолу нагоре: 1\n"])
    ActionChains(driver).click(element(driver, "Command1_1")).perform()
    check("the explanation after Clear", explained(driver)[0], EXAMPLE_ROWS)
    presses = ActionChains(driver).click(element(driver, "Text2_0")).send_keys("24", Keys.TAB, "26", Keys.ENTER)
    for press in range(4):
        if press:
            presses = ActionChains(driver).click(element(driver, "Command1_0"))
        presses.perform()
        check(f"the explanation after press {press + 1}", explained(driver),
              [EXAMPLE_ROWS[:press + 2], EXAMPLE_SUMMARIES[press]])
    ActionChains(driver).click(element(driver, "ExplainRows_0-3")).perform()
    check("the rows chosen in the window after a click on the explanation's row 3", chosen(driver), [3, 3])
    ax = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    named = {(n["role"]["value"], n.get("name", {}).get("value")) for n in ax if not n.get("ignored")}
    for role, name in [("dialog", "Защо става така?"), ("grid", "Редовете на таблицата"),
                       ("textbox", "Защо става така"), ("textbox", "Какво показват редовете"), ("button", "Затвори"),
                       ("button", "Защо става така? (F1)")]:
        check(f"the {role} {name} to a screen reader", (role, name) in named, True)
    check("the table's column headers to a screen reader",
          [n["name"]["value"] for n in ax if n["role"]["value"] == "columnheader"],
          ["Ред", "Число 2", "Остатък", "Степен на 2", "Число 1 × степен", "В сумата"])
    check("the table's chosen row to a screen reader", [
        [p["value"].get("value") for p in n.get("properties", []) if p["name"] == "selected"]
        for n in ax if n["role"]["value"] == "row" and n.get("name", {}).get("value", "").startswith("3 ")], [[True]])
    ActionChains(driver).send_keys(Keys.ARROW_UP).perform()
    check("the rows chosen in the window after the up arrow in the explanation", chosen(driver), [2, 2])
    driver.save_screenshot(str(OUT / "screenshot-explain-web.png"))

    # Esc closes it and the focus is back where it was in the window; the button under the
    # window opens it again, and F1 with it open brings the focus back into it.
    ActionChains(driver).send_keys(Keys.ESCAPE).perform()
    check("the explanation after Esc", element(driver, "Explain").is_displayed(), False)
    check("the focus after Esc", focused(driver), "Command1_1")
    menu = driver.find_element(By.CSS_SELECTOR, ".korvanta-menu button")
    check("the button under the window", menu.text, "Защо става така? (F1)")
    ActionChains(driver).click(menu).perform()
    check("the explanation after its button", [element(driver, "Explain").is_displayed(), focused(driver)],
          [True, "ExplainRows_0"])
    ActionChains(driver).click(element(driver, "Text2_1")).send_keys(Keys.F1).perform()
    check("the focus after F1 with the explanation open", focused(driver), "ExplainRows_0")

    # On a phone it goes under the window, across the screen's width, and the page scrolls.
    chromium.viewport(driver, 360, 640, mobile=True)
    window, dialog = rect(driver, "Korvanta"), rect(driver, "Explain")
    check("the explanation under the window on a phone", dialog[1] >= window[3], True)
    check("the explanation across the phone", [round(dialog[0]), round(dialog[2]),
                                               driver.execute_script("return document.body.scrollWidth")],
          [0, 360, 360])
    driver.save_screenshot(str(OUT / "screenshot-explain-web-phone.png"))
    element(driver, "Explain").find_element(By.CSS_SELECTOR, ".korvanta-title button").click()
    check("the explanation after its close button, and the focus", [element(driver, "Explain").is_displayed(),
                                                                    focused(driver)], [False, "Text2_1"])

    # "Упражнение" by the keyboard alone: F2 opens it beside the window, a task typed by
    # hand and started with Enter, a right row, then a wrong one and what the pupil is told;
    # then the task to its end and the praise.
    chromium.viewport(driver, 1100, 560)
    menu = driver.find_elements(By.CSS_SELECTOR, ".korvanta-menu button")
    check("the buttons under the window", [b.text for b in menu], ["Защо става така? (F1)", "Упражнение (F2)"])
    ActionChains(driver).send_keys(Keys.F2).perform()
    window, dialog = rect(driver, "Korvanta"), rect(driver, "Practice")
    check("the practice after F2: beside the window, the focus, the levels all in sight", [
        round(dialog[0] - window[2]), focused(driver), driver.execute_script(
            "var l = document.getElementById('PracticeLevel_0'); return l.scrollHeight <= l.clientHeight")],
        [8, "PracticeEntry_0", True])
    feedback = element(driver, "PracticeFeedback_0")
    check("the feedback as a live region", [feedback.get_attribute(a) for a in ("role", "aria-live")],
          ["status", "polite"])
    keys = ActionChains(driver)
    for _ in range(4):
        keys.key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT)
    for typed, told in [(["24", Keys.TAB, "26"], "Своя задача. Задачата е 24 × 26. Първият ред е готов: това са двете "
                         "числа. Напиши следващия ред: вляво 24 × 2, вдясно 26 : 2 без остатъка.\n"
                         "Стъпки: 0, верни от първия опит: 0, грешки: 0."),
                        (["48", Keys.TAB, "13"], "Вярно! Напиши следващия ред: вляво 48 × 2, вдясно 13 : 2 без "
                         "остатъка.\nСтъпки: 1, верни от първия опит: 1, грешки: 0."),
                        (["96", Keys.TAB, "7"], "13 : 2 = 6 и остатък 1. Остатъкът не се пише — пишем 6. Опитай "
                         "пак.\nСтъпки: 1, верни от първия опит: 1, грешки: 1.")]:
        keys.send_keys(*typed, Keys.ENTER).perform()
        keys = ActionChains(driver)
        check(f"the feedback after {typed[0]}, {typed[2]}", feedback.get_property("textContent"), told)
    check("the captions that do not fit their controls", driver.execute_script(
        "return [...document.querySelectorAll('#Practice form > *, #Practice [role=columnheader]')]"
        ".filter(e => e.scrollWidth > e.clientWidth + 1).map(e => e.id || e.textContent)"), [])
    driver.save_screenshot(str(OUT / "screenshot-practice-web.png"))
    # The mistake corrected, the other rows, the odd rows put into the sum, the product.
    for left, right in [("96", "6"), ("192", "3"), ("384", "1")]:
        element(driver, "PracticeEntry_0").clear()
        element(driver, "PracticeEntry_0").send_keys(left)
        element(driver, "PracticeEntry_1").clear()
        element(driver, "PracticeEntry_1").send_keys(right, Keys.ENTER)
    for row in (1, 3, 4):
        element(driver, f"PracticeRows_0-{row}").click()
        element(driver, "PracticeCommand_3").click()
    element(driver, "PracticeEntry_2").send_keys("624", Keys.ENTER)
    check("the praise at the end of the task", feedback.get_property("textContent"),
          "Браво! 24 × 26 = 48 + 192 + 384 = 624.\nСтъпки: 6, верни от първия опит: 5, грешки: 1.")

    # The same page from a web server.
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=str(PAGE.parent)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        chromium.viewport(driver, 640, 520)
        open_page(driver, f"http://127.0.0.1:{server.server_port}/{PAGE.name}")
        ActionChains(driver).click(element(driver, "Command1_0")).perform()
        check("the rows from the server", [rows(driver, "List1_0"), rows(driver, "List1_1")], [["24", "48"], ["26", "13"]])
    finally:
        server.shutdown()

# Captions and headings cut off in the windows `ids`, by id or text: none should be.
def cut(driver, ids):
    return driver.execute_script(
        "return [...document.querySelectorAll(arguments[0].map(id => `#${id} form > *, #${id} [role=columnheader]`)"
        ".join())].filter(e => e.scrollWidth > e.clientWidth).map(e => e.id || e.textContent)", ids)


# In English: the page opened so by its address, the worked example and the message on bad
# input; then every window back in Bulgarian at once from the choice under the window.
with chromium.browser() as driver:
    chromium.viewport(driver, 640, 520)
    open_page(driver, PAGE.as_uri() + "?lang=en")
    language = "return [document.documentElement.lang, document.title, document.getElementById('korvanta-language')" \
               ".selectedOptions[0].text]"
    check("the page in English", driver.execute_script(language),
          ["en", "www.example.org Maths - multiplying by halving and doubling", "English"])
    check("the captions in English", [element(driver, id).text for id in ("Label2_0", "Command1_0", "Command1_1")],
          ["First:", "Calculate", "Clear"])
    work_the_example(driver)
    check("the captions cut off in the main window in English", cut(driver, ["Korvanta"]), [])
    driver.save_screenshot(str(OUT / "screenshot-en-web.png"))
    ActionChains(driver).click(element(driver, "Command1_1")).click(element(driver, "Text2_0")).send_keys(
        "1", Keys.TAB, "5", Keys.ENTER).perform()
    check("the message on bad input", element(driver, "Text1_0").get_property("value"),
          "Each factor must be greater than 1!")
    chromium.viewport(driver, 1600, 560)
    ActionChains(driver).send_keys(Keys.F1).send_keys(Keys.F2).perform()
    check("the captions cut off in the three windows in English", cut(driver, ["Korvanta", "Explain", "Practice"]),
          [])
    check("a window's title and close button in English", [element(driver, "Practice-title").text, element(
        driver, "Practice").find_element(By.CSS_SELECTOR, ".korvanta-title button").get_attribute("aria-label")],
          ["Practice", "Close"])
    Select(element(driver, "korvanta-language")).select_by_visible_text("Български")
    check("the page back in Bulgarian", driver.execute_script(language),
          ["bg", "www.example.org Математика - цвлочислено умножение", "Български"])
    check("the windows back in Bulgarian", [element(driver, id).text for id in (
        "Command1_0", "Explain-title", "PracticeCommand_0")] + [element(driver, "Text1_0").get_property("value")],
          ["Сметни", "Защо става така?", "Нова задача", "Всеки множител да е по-голям от 1!"])
    # "#en" opens the page in English too, and a language the program does not have, in Bulgarian.
    for address, lang in (("#en", "en"), ("?lang=xx", "bg")):
        open_page(driver, PAGE.as_uri() + address)
        check(f"the page's language at {address}", driver.execute_script(language)[0], lang)
    # "#en" put after the address of the open page switches it, as the choice would.
    driver.execute_script("location.hash = 'en'")  # the page hears of it a moment later
    chromium.wait_for(driver, "document.documentElement.lang == 'en' || null", timeout=5)
    check("the page after #en put after its address", [driver.execute_script(language)[0],
                                                         element(driver, "Command1_0").text], ["en", "Calculate"])

for failure in failures:
    print("FAIL: " + failure)
print(f"end to end: {'failed' if failures else 'passed'}; screenshots in {OUT}")
sys.exit(1 if failures else 0)
