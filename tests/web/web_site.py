# SPDX-License-Identifier: MIT
"""The program's web site in headless Chromium, served from 127.0.0.1 by a server this
test starts and stops itself, in the folder /umnozhenie/ as a school's site would have it:
Chromium finds it installable; after one visit it opens offline and works the example;
a second build of another version takes over on the next visit online, the old cache
gone, except while the pupil is using the page; opened from disk, the page registers no
worker and fetches nothing.
Usage: web_site.py SITE_DIR WORK_DIR CMAKE SITE_OPTIONS... -P site.cmake
(the command that makes a site, less -DPAGE, -DVERSION and -DOUTPUT)"""

import functools
import http.server
import pathlib
import shutil
import subprocess
import sys
import threading
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.by import By

import chromium

SITE = pathlib.Path(sys.argv[1]).resolve()
WORK = pathlib.Path(sys.argv[2]).resolve()
MAKE_SITE = sys.argv[3:]
failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: {actual!r}, expected {expected!r}")


def build(number, version):
    """Another build of the site: its page marked with the build's number."""
    page = WORK / f"page-{number}.html"
    page.write_bytes((SITE / "index.html").read_bytes() + f"<!-- build {number} -->\n".encode())
    output = WORK / f"site-{number}"
    subprocess.run(MAKE_SITE[:1] + [f"-DPAGE={page}", f"-DVERSION={version}", f"-DOUTPUT={output}"] + MAKE_SITE[1:],
                   check=True, stdout=subprocess.DEVNULL)
    return output


class Host:
    """A static web host on 127.0.0.1 with the site in /umnozhenie/; the same port each time
    it is started. It sends service-worker.js only while `worker` is set."""

    def __init__(self):
        self.root = WORK / "host"
        self.port = 0
        self.server = None
        self.worker = threading.Event()
        self.worker.set()

    def put(self, site):
        shutil.rmtree(self.root, ignore_errors=True)
        shutil.copytree(site, self.root / "umnozhenie")

    def start(self):
        host = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def do_GET(self):
                if self.path.endswith("/service-worker.js"):
                    host.worker.wait(timeout=60)
                super().do_GET()

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", self.port),
                                                      functools.partial(Handler, directory=str(self.root)))
        self.port = self.server.server_port
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        return f"http://127.0.0.1:{self.port}/umnozhenie/"

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def wait_for(driver, expression):
    """chromium.wait_for, also while the page reloads itself."""
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        try:
            return chromium.wait_for(driver, expression, timeout=deadline - time.monotonic())
        except WebDriverException:
            time.sleep(0.05)
    return None


def open_page(driver, url):
    driver.get(url)
    if chromium.wait_for(driver, "performance.getEntriesByName('korvanta-ready')[0]", timeout=20) is None:
        sys.exit(f"FAIL: the window was not built at {url}")


def build_shown(driver):
    """The number of the build whose page is shown; 1 for the site as built."""
    return driver.execute_script("const last = document.lastChild;"
                                 "return last.nodeType == Node.COMMENT_NODE ? +last.data.split(' ')[2] : 1")


def caches(driver):
    return driver.execute_async_script("caches.keys().then(arguments[arguments.length - 1])")


def wait_for_caches(driver, version):
    """Waits until the only cache is the version's (the new worker has taken over)."""
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline and [c.split(" ")[0].split("-")[1] for c in caches(driver)] != [version]:
        time.sleep(0.05)
    check(f"the caches once {version} has taken over", [c.split(" ")[0].split("-")[1] for c in caches(driver)],
          [version])


def work_the_example(driver, where):
    boxes = [driver.find_element(By.ID, id) for id in ("Text2_0", "Text2_1", "Command1_0", "Text1_0")]
    ActionChains(driver).click(driver.find_element(By.ID, "Command1_1")).click(boxes[0]).send_keys("24") \
        .click(boxes[1]).send_keys("26").perform()
    for _ in range(4):
        boxes[2].click()
    check(f"the working box after the worked example {where}", boxes[3].get_property("value"),
          "48 + 192 + 384 = 624\n")


def first_visit(driver):
    driver.set_page_load_timeout(30)
    open_page(driver, url)
    driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
    check("the page is under its worker after the first visit",
          chromium.wait_for(driver, "navigator.serviceWorker.controller && true", timeout=10), True)


WORK.mkdir(parents=True, exist_ok=True)
host = Host()
host.put(SITE)
url = host.start()
with chromium.browser() as driver:
    first_visit(driver)
    check("why Chromium would not install it", driver.execute_cdp_cmd("Page.getInstallabilityErrors", {}),
          {"installabilityErrors": []})
    manifest = driver.execute_cdp_cmd("Page.getAppManifest", {})
    check("the manifest's errors", manifest["errors"], [])
    check("the start URL and scope", [manifest["manifest"]["startUrl"], manifest["manifest"]["scope"]], [url, url])
    # Both from the window description: the manifest's colours and the maskable icon's
    # background are the window's.
    window = driver.execute_script("return getComputedStyle(document.querySelector('form')).backgroundColor")
    check("the manifest's colours", [manifest["manifest"]["themeColor"], manifest["manifest"]["backgroundColor"]],
          [window.replace(" ", "").replace("rgb(", "rgba(").replace(")", ",1)")] * 2)
    check("the maskable icon's corner", driver.execute_async_script("""
        const done = arguments[0], image = new Image();
        image.onload = () => {
          const canvas = document.createElement('canvas');
          canvas.width = canvas.height = 1;
          const context = canvas.getContext('2d');
          context.drawImage(image, 0, 0);
          done('rgb(' + [...context.getImageData(0, 0, 1, 1).data.slice(0, 3)].join(', ') + ')');
        };
        image.src = 'hamburger-maskable-512.png';"""), window)

    # Offline: the host gone and no network.
    host.stop()
    driver.execute_cdp_cmd("Network.enable", {})
    driver.execute_cdp_cmd("Network.emulateNetworkConditions",
                           {"offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    open_page(driver, url)
    work_the_example(driver, "offline")
    open_page(driver, url + "index.html?lang=en")
    check("the page in English offline", driver.execute_script("return document.documentElement.lang"), "en")

# In a browser of its own: after a visit offline with the host down, Chromium lets the new
# worker take over only minutes later (it waits for the old one to finish some work).
host.start()
with chromium.browser() as driver:
    first_visit(driver)
    # A new version on the host: on the next visit online the page, untouched, reloads into it.
    host.put(build(2, "9.99"))
    open_page(driver, url)
    check("the build shown once 9.99 is on the host",
          wait_for(driver, "document.lastChild.nodeType == Node.COMMENT_NODE && "
                           "performance.getEntriesByName('korvanta-ready').length || null") and build_shown(driver), 2)
    wait_for_caches(driver, "9.99")

    # Another while the pupil types: the page is left as it is, and the next visit has it.
    host.put(build(3, "9.100"))
    host.worker.clear()
    open_page(driver, url)
    ActionChains(driver).click(driver.find_element(By.ID, "Text2_0")).send_keys("7").perform()
    host.worker.set()
    wait_for_caches(driver, "9.100")
    check("the page the pupil is typing in", [build_shown(driver), driver.find_element(By.ID, "Text2_0")
                                             .get_property("value")], [2, "247"])
    open_page(driver, url)
    check("the build shown on the next visit", build_shown(driver), 3)
    host.stop()

    # From disk: no worker, no manifest, nothing fetched.
    open_page(driver, (SITE / "index.html").as_uri())
    check("what the page from disk fetched, named or registered", driver.execute_script(
        "return [performance.getEntriesByType('resource').length, document.querySelectorAll('link[rel=manifest]')"
        ".length, (navigator.serviceWorker || {}).controller || null]"), [0, 0, None])

for failure in failures:
    print("FAIL: " + failure)
print(f"web site: {'failed' if failures else 'passed'}")
sys.exit(1 if failures else 0)
