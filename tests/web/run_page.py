# SPDX-License-Identifier: MIT
"""Runs the tests built into a page in headless Chromium, prints what they printed, and
fails unless every one passed. Usage: run_page.py PAGE.html"""

import pathlib
import sys

import chromium

with chromium.browser() as driver:
    driver.get(pathlib.Path(sys.argv[1]).resolve().as_uri())
    result = chromium.wait_for(driver, "window.korvantaTestsFailed", timeout=100)
    print("\n".join(driver.execute_script("return korvantaTestLog")))
if result != 0:
    print("FAIL: " + ("the tests did not finish" if result is None else "some tests failed"))
    sys.exit(1)
