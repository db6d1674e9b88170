# SPDX-License-Identifier: MIT
"""The web program's start-up, command latency and memory, in headless Chromium.

Start-up: the program's page opened from disk, in Bulgarian and in English (?lang=en),
from navigation start to the moment its window is built and answers clicks (the mark "korvanta-ready", set when main() has
returned), against a bare static page with the same eleven elements (the program's own
page as built, saved without its script) to its load event; alternating, each round
starting with the other page. The same for the web site served on 127.0.0.1: its page,
after one visit, from the service worker's cache, against the bare page from the same
host. Latency: a click on Calculate until the new row is laid out, over whole tables of 15
rows, with "Защо става така?" closed, and open beside the window at desktop size
(1100 x 540); F1 until that window is laid out, the first time (it is built then) and
again after Esc; in "Упражнение", Enter in a box until its feedback is laid out. Memory:
the WebAssembly memory the page reserves. Sizes: the page, and the web site's files.
Prints Markdown with PASS or FAIL for every budget.
Usage: web.py PAGE.html [runs [SITE_DIR]]   (the site by default in the page's folder, site/)"""

import functools
import gzip
import http.server
import pathlib
import shutil
import statistics
import sys
import tempfile
import threading

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "web"))
import chromium  # noqa: E402

PAGE = pathlib.Path(sys.argv[1]).resolve()
RUNS = max(20, int(sys.argv[2]) if len(sys.argv) > 2 else 30)
SITE = pathlib.Path(sys.argv[3] if len(sys.argv) > 3 else PAGE.parent / "site").resolve()
WARM_UP = 3
TABLES = 100  # of 15 rows: 123 x 32767
OPENINGS = 20  # fresh pages, F1 on each

# The page with its window built, saved as a static page: the same elements, styles and
# texts, and no script.
SNAPSHOT = """
for (const box of document.querySelectorAll('input')) box.setAttribute('value', box.value);
for (const box of document.querySelectorAll('textarea')) box.textContent = box.value;
const copy = document.documentElement.cloneNode(true);
for (const script of copy.querySelectorAll('script, noscript')) script.remove();
return '<!doctype html>\\n' + copy.outerHTML;
"""

NAVIGATION = "const n = performance.getEntriesByType('navigation')[0];"
PAINT = "(performance.getEntriesByName('first-contentful-paint')[0] || {startTime: 0}).startTime"
READY = "return [performance.getEntriesByName('korvanta-ready')[0].startTime, n.loadEventStart, " + PAINT + "]"
LOADED = "return [n.loadEventStart, n.loadEventStart, " + PAINT + "]"

# A key pressed where the focus is, as the page gets it from the keyboard.
PRESS = "const press = key => (document.activeElement || document.body).dispatchEvent(" \
        "new KeyboardEvent('keydown', {key, bubbles: true, cancelable: true}));"

# F1 until the explanation is laid out, on a fresh page (it is built then), then again
# after Esc has closed it.
OPENING = PRESS + """
const times = [];
for (let time = 0; time < 2; ++time) {
  const start = performance.now();
  press('F1');
  document.getElementById('Explain').getBoundingClientRect();
  times.push(performance.now() - start);
  press('Escape');
}
return times;
"""

# Presses Calculate until the table is finished, then Clear; each press timed from the
# click to the new row laid out, with the work the page queued behind the click; with the
# explanation open (arguments[1]), until its newest row is laid out too.
CLICKS = PRESS + """
const [tables, explain, done] = [arguments[0], arguments[1], arguments[arguments.length - 1]];
(async () => {
  const calculate = document.getElementById('Command1_0');
  const left = document.getElementById('List1_0');
  if (explain) press('F1');
  const rows = explain && document.querySelector('#ExplainRows_0 [role=rowgroup]');
  const samples = [];
  let total = 0;
  for (let table = 0; table < tables; ++table) {
    document.getElementById('Text2_0').value = '123';
    document.getElementById('Text2_1').value = '32767';
    while (!calculate.disabled) {
      const start = performance.now();
      calculate.click();
      await Promise.resolve();
      left.lastElementChild.getBoundingClientRect();
      if (rows) rows.lastElementChild.getBoundingClientRect();
      const time = performance.now() - start;
      samples.push(time);
      total += time;
    }
    document.getElementById('Command1_1').click();
  }
  done([samples, Module.HEAP8.length]);
})();
"""

# "Упражнение" opened with F2, then tasks of 16 rows typed by hand (999999 × 65535), and in
# each a wrong row, then the right one, until the table is finished; each entry timed from
# Enter in its box until the feedback's new text is laid out, with the work the page
# queued behind it. Also how many entries left the feedback as it was (none should).
ENTRIES = PRESS + """
const [tasks, done] = [arguments[0], arguments[arguments.length - 1]];
(async () => {
  press('F2');
  const box = id => document.getElementById(id);
  const feedback = box('PracticeFeedback_0');
  const samples = [];
  let unchanged = 0;
  const enter = async (id, values) => {
    values.forEach(([input, value]) => { box(input).value = value; });
    const before = feedback.textContent;
    const start = performance.now();
    box(id).dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true, cancelable: true}));
    await Promise.resolve();
    feedback.getBoundingClientRect();
    samples.push(performance.now() - start);
    if (feedback.textContent === before) ++unchanged;
  };
  for (let task = 0; task < tasks; ++task) {
    await enter('PracticeTask_1', [['PracticeTask_0', '999999'], ['PracticeTask_1', '65535']]);
    for (let left = 999999, right = 65535; right > 1;) {
      left *= 2;
      right = Math.floor(right / 2);
      await enter('PracticeEntry_1', [['PracticeEntry_0', String(left + 1)], ['PracticeEntry_1', String(right)]]);
      await enter('PracticeEntry_1', [['PracticeEntry_0', String(left)], ['PracticeEntry_1', String(right)]]);
    }
  }
  done([samples, unchanged]);
})();
"""
PRACTICE_TASKS = 100


def summary(samples):
    ordered = sorted(samples)
    return statistics.median(ordered), ordered[max(0, -(-99 * len(ordered) // 100) - 1)], ordered[0], ordered[-1]


def verdict(passed, text):
    return f"- {'PASS' if passed else 'FAIL'} {text}"


def kib(size):
    return f"{size / 1024:.1f}"


def startup(driver, pages, before=lambda: None):
    """Opens the pages in turn, each round starting with the other one: {name: [(ready or
    load, load event, first paint) in ms from navigation start]} after the warm-up."""
    times = {name: [] for name, _, _ in pages}
    for run in range(WARM_UP + RUNS):
        for name, url, script in pages if run % 2 == 0 else reversed(pages):
            before()
            driver.get(url)
            # Loaded, built, and painted once.
            chromium.wait_for(driver, "document.readyState == 'complete' && (performance.getEntriesByName("
                              "'korvanta-ready')[0] || !window.Module) && "
                              "performance.getEntriesByName('first-contentful-paint')[0] || null", timeout=20)
            measured = driver.execute_script(NAVIGATION + script)
            if run >= WARM_UP:
                times[name].append(measured)
    return times


def startup_table(times):
    """Prints the table of start-up times; the medians to ready or load, by name."""
    print("| | to ready or load: median ms | min ms | max ms | its load event: median ms | first paint: median ms |")
    print("|---|---:|---:|---:|---:|---:|")
    medians = {}
    for name, samples in times.items():
        ready = [sample[0] for sample in samples]
        medians[name] = statistics.median(ready)
        print(f"| {name} | {medians[name]:.1f} | {min(ready):.1f} | {max(ready):.1f} | "
              f"{statistics.median(s[1] for s in samples):.1f} | {statistics.median(s[2] for s in samples):.1f} |")
    return medians


class Host:
    """The web site in /umnozhenie/ and the bare page beside it, on 127.0.0.1."""

    def __init__(self, root):
        class Quiet(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=root))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = f"http://127.0.0.1:{self.server.server_port}/"

    def __enter__(self):
        return self

    def __exit__(self, *args):
        self.server.shutdown()
        self.server.server_close()


def site_size():
    """Prints the web site's files and their sizes; the verdicts on its icons."""
    files = sorted(p for p in SITE.iterdir() if p.is_file())
    print("| Web site file | KiB | gzip -9, KiB |\n|---|---:|---:|")
    total = 0
    for path in files:
        data = path.read_bytes()
        total += len(data)
        print(f"| {path.name} | {kib(len(data))} | {kib(len(gzip.compress(data, compresslevel=9)))} |")
    print(f"| all {len(files)} files | {kib(total)} | |\n")
    # A PNG's bit depth is the byte after its width and height; colour type 3 is a palette.
    icons = [(p.name, p.stat().st_size, p.read_bytes()[24:26]) for p in files if p.suffix == ".png"]
    return [verdict(all(depth == 8 for _, _, (depth, _) in icons),
                    "web site's icons 8-bit PNGs: " + ", ".join(
                        f"{name} {depth} bits, {'palette' if kind == 3 else 'colour type ' + str(kind)}"
                        for name, _, (depth, kind) in icons)),
            verdict(all(size <= 16 * 1024 for _, size, _ in icons),
                    "web site's icons ≤ 16 KiB each: " + ", ".join(f"{kib(size)} KiB" for _, size, _ in icons))]


def main():
    html = PAGE.read_bytes()
    compressed = len(gzip.compress(html, compresslevel=9))
    with chromium.browser() as driver, tempfile.TemporaryDirectory() as work:
        chromium.viewport(driver, 640, 520)
        driver.get(PAGE.as_uri())
        reserved = driver.execute_script("return Module.HEAP8.length")
        bare = pathlib.Path(work) / "bare.html"
        bare.write_text(driver.execute_script(SNAPSHOT), encoding="utf-8")

        times = startup(driver, [("the program's page", PAGE.as_uri(), READY),
                                 ("the program's page in English", PAGE.as_uri() + "?lang=en", READY),
                                 ("bare static page", bare.as_uri(), LOADED)])

        # The web site installed by one visit, then opened from its worker's cache, the
        # worker stopped before each opening as after a while unused; the bare page is
        # served by the same host.
        shutil.copytree(SITE, pathlib.Path(work) / "umnozhenie")
        with Host(work) as host:
            driver.get(host.url + "umnozhenie/")
            driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
            driver.execute_cdp_cmd("ServiceWorker.enable", {})
            site_times = startup(driver, [("the site's page from its cache", host.url + "umnozhenie/", READY),
                                          ("bare static page from the host", host.url + "bare.html", LOADED)],
                                 lambda: driver.execute_cdp_cmd("ServiceWorker.stopAllWorkers", {}))
            driver.execute_cdp_cmd("ServiceWorker.stopAllWorkers", {})
            driver.get(host.url + "umnozhenie/")
            served = driver.execute_script("return navigator.serviceWorker.controller !== null")

        openings = []
        for _ in range(OPENINGS):
            driver.get(PAGE.as_uri())
            chromium.wait_for(driver, "performance.getEntriesByName('korvanta-ready')[0]", timeout=20)
            openings.append(driver.execute_script(OPENING))
        driver.get(PAGE.as_uri())
        clicks, after = driver.execute_async_script(CLICKS, TABLES, False)
        # At desktop size, where the two windows stand side by side.
        chromium.viewport(driver, 1100, 540)
        driver.get(PAGE.as_uri())
        both, _ = driver.execute_async_script(CLICKS, TABLES, True)
        driver.get(PAGE.as_uri())
        entries, unchanged = driver.execute_async_script(ENTRIES, PRACTICE_TASKS)

    print(f"Web program, {PAGE.name}, opened from disk in headless Chromium; {RUNS} runs of each page "
          f"(after {WARM_UP} warm-up rounds), alternating:\n")
    medians = startup_table(times)
    ours = medians["the program's page"]
    ratio = ours / medians["bare static page"]
    english = medians["the program's page in English"]
    english_ratio = english / medians["bare static page"]
    print(f"\nThe web site ({sys.argv[3] if len(sys.argv) > 3 else SITE}) served on 127.0.0.1, after one visit: its page from the service "
          f"worker's cache, the worker stopped before each opening, against the bare page from the same "
          f"host; {RUNS} runs of each, alternating:\n")
    site_medians = startup_table(site_times)
    cached = site_medians["the site's page from its cache"]
    site_ratio = cached / site_medians["bare static page from the host"]
    median, p99, low, high = summary(clicks)
    print(f"\nA click on Calculate until the new row is laid out ({TABLES} tables of 15 rows, 123 × 32767): "
          f"{len(clicks)} clicks, median {median:.2f} ms, 99th percentile {p99:.2f} ms, min {low:.2f} ms, "
          f"max {high:.2f} ms, mean {statistics.fmean(clicks):.3f} ms "
          "(the browser's clock counts in steps of 0.1 ms).\n")
    both_median, both_p99, both_low, both_high = summary(both)
    print(f"The same with \"Защо става така?\" open, until its newest row is laid out too: {len(both)} clicks, "
          f"median {both_median:.2f} ms, 99th percentile {both_p99:.2f} ms, min {both_low:.2f} ms, "
          f"max {both_high:.2f} ms.\n")
    first = statistics.median(times[0] for times in openings)
    again = statistics.median(times[1] for times in openings)
    print(f"F1 until \"Защо става така?\" is laid out, on {OPENINGS} fresh pages: the first time (built then) "
          f"median {first:.1f} ms (max {max(times[0] for times in openings):.1f} ms); again after Esc, "
          f"median {again:.1f} ms.\n")
    entry_median, entry_p99, entry_low, entry_high = summary(entries)
    print(f"In \"Упражнение\" (at desktop size), Enter in a box until the feedback's new text is laid out "
          f"({PRACTICE_TASKS} tasks 999999 × 65535 typed by hand, in each a wrong and a right entry of every row): "
          f"{len(entries)} entries, median {entry_median:.2f} ms, 99th percentile {entry_p99:.2f} ms, "
          f"min {entry_low:.2f} ms, max {entry_high:.2f} ms; entries that left the feedback as it was: {unchanged}.\n")
    print("| File | KiB | gzip -9, KiB |\n|---|---:|---:|")
    print(f"| web program ({sys.argv[1]}) | {kib(len(html))} | {kib(compressed)} |\n")
    icons = site_size()
    print(verdict(len(html) <= 160 * 1024, f"web program ≤ 160 KiB: {kib(len(html))} KiB"))
    print(verdict(compressed <= 64 * 1024, f"web program gzip-compressed (-9) ≤ 64 KiB: {kib(compressed)} KiB"))
    print(verdict(ratio <= 1.5, f"web start-up ≤ 1.5 × a bare static page's load: {ours:.1f} ms "
                  f"against {medians['bare static page']:.1f} ms ({ratio:.2f} ×)"))
    print(verdict(english_ratio <= 1.5, f"web start-up in English ≤ 1.5 × a bare static page's load: {english:.1f} ms "
                  f"against {medians['bare static page']:.1f} ms ({english_ratio:.2f} ×)"))
    print(verdict(site_ratio <= 1.5 and served, f"web site's start-up from its cache ≤ 1.5 × a bare static page's "
                  f"load from the host: {cached:.1f} ms against "
                  f"{site_medians['bare static page from the host']:.1f} ms ({site_ratio:.2f} ×)"
                  + ("" if served else "; NOT served by its worker")))
    print("\n".join(icons))
    print(verdict(median < 1, f"click on Calculate until the new row is laid out, median < 1 ms: {median:.2f} ms"))
    print(verdict(both_median < 2, f"click on Calculate with \"Защо става така?\" open until both windows are laid "
                  f"out, median < 2 ms: {both_median:.2f} ms"))
    print(verdict(first < 50, f"F1 until \"Защо става така?\" is laid out, the first time, median < 50 ms: "
                  f"{first:.1f} ms"))
    print(verdict(entry_median < 2 and unchanged == 0, f"a checked entry in \"Упражнение\" until its feedback is "
                  f"laid out, median < 2 ms: {entry_median:.2f} ms"
                  + ("" if unchanged == 0 else f"; {unchanged} entries did NOT change the feedback")))
    print(verdict(reserved <= 2 * 1024 * 1024, f"WebAssembly memory the page reserves ≤ 2 MiB: {kib(reserved)} KiB "
                  f"({kib(after)} KiB after {TABLES} tables)"))

main()
