# SPDX-License-Identifier: MIT
"""Works the example 24 x 26 on the program's page as a user would, in headless Chromium:
the page opened from disk, real key presses, mouse clicks and a finger's tap (WebDriver
actions), what a screen reader is told read from Chromium's accessibility tree; then
the same page served by a web server. Leaves screenshots at desktop size and at 360 x 640.
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

for failure in failures:
    print("FAIL: " + failure)
print(f"end to end: {'failed' if failures else 'passed'}; screenshots in {OUT}")
sys.exit(1 if failures else 0)
