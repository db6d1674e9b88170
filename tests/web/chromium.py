# SPDX-License-Identifier: MIT
"""Headless Chromium under WebDriver, from Debian's chromium, chromium-driver and
python3-selenium, with a profile of its own that is removed when it closes."""

import contextlib
import os
import shutil
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


@contextlib.contextmanager
def browser():
    profile = tempfile.mkdtemp(prefix="korvanta-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--disable-dev-shm-usage", "--window-size=800,600",
                     "--user-data-dir=" + profile):
        options.add_argument(argument)
    if os.geteuid() == 0:
        options.add_argument("--no-sandbox")  # Chromium's sandbox refuses to run as root
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def viewport(driver, width, height, mobile=False):
    """Makes the page's viewport width x height CSS pixels, as a phone's when mobile."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": mobile, "maxTouchPoints": 5})
    # The page hears of it (a resize event) when it next renders.
    driver.execute_async_script("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")


def wait_for(driver, expression, timeout):
    """The value of a JavaScript expression once it is defined; None after timeout seconds."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = driver.execute_script("return " + expression)
        if value is not None:
            return value
        time.sleep(0.05)
    return None
