#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Benchmarks the Linux program: its start-up against a bare Qt form with the same
# controls and against a plain Xlib + Xft window (the floor), peak memory, the latency
# of the commands on the real window, and the sizes of the program files; and the web
# program in headless Chromium (bench/web.py): its start-up against a bare static page,
# from disk and, as the web site, from its service worker's cache; the latency of a click,
# its memory, its size and the web site's; and the Windows program's windows under wine
# (scripts/bench-windows.sh). Installs what is missing (Debian 12),
# makes a Release build in build/bench, runs everything under an X server of its own,
# prints the table with PASS or FAIL for every budget, and writes the table to
# docs/performance.md. Exits with 1 when a budget is missed.
# Usage: scripts/bench.sh [start-up runs of each kind, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-60}
build=build/bench

scripts/install-deps.sh build qt bench web
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKORVANTA_BENCH=ON -DKORVANTA_WERROR=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
for tool in korvanta_startup korvanta_bare_form korvanta_floor korvanta_program_startup korvanta_latency; do
  [ -x "$build/bench/$tool" ] || { echo "bench: $build/bench/$tool was not built" >&2; exit 2; }
done

# Runs at a raised priority where allowed, so that other work on the machine disturbs
# the measurements less; it applies alike to everything measured.
priority=()
if nice -n -10 true 2>/dev/null; then priority=(nice -n -10); fi

# An X server of our own on a free display, ended by its process id.
work=$(mktemp -d)
xvfb=""
cleanup() {
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
"${priority[@]}" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "bench: Xvfb did not start" >&2; exit 2; }
display=":$(head -n1 "$work/display")"

# What a desktop session gives a program, and nothing from the caller's environment
# that could change how Qt starts (QT_* variables, a platform theme, a D-Bus session).
mkdir -m 700 "$work/runtime"
session=(env -i PATH="$PATH" HOME="$HOME" LANG="${LANG:-C.UTF-8}" DISPLAY="$display" XDG_RUNTIME_DIR="$work/runtime")

bin=$build/bench
startup=$("${session[@]}" "${priority[@]}" "$bin/korvanta_startup" --runs "$runs" --program "$bin/korvanta_program_startup" \
  --bare "$bin/korvanta_bare_form" --floor "$bin/korvanta_floor")
latency=$("${session[@]}" "${priority[@]}" "$bin/korvanta_latency" 200)
# The same without an X server, for comparison: what the widgets cost on their own.
latency_offscreen=$("${session[@]}" QT_QPA_PLATFORM=offscreen "${priority[@]}" "$bin/korvanta_latency" 200 --no-budgets 2>/dev/null)

# The web program, as scripts/build-web.sh builds it, in headless Chromium (no X server).
scripts/build-web.sh >/dev/null
web=$("${priority[@]}" /usr/bin/python3 bench/web.py build/web/umnozhenie.html "$runs" build/web/site)

# The Windows program's windows under wine, 32-bit and 64-bit, as scripts/bench-windows.sh
# builds and measures them (a missed budget shows as FAIL in its lines).
windows=$(scripts/bench-windows.sh) || [ $? -eq 1 ]

# Sizes of the program files.
kib() { awk -v bytes="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", bytes / 1024 }'; }
linux=$build/app/umnozhenie
strip --strip-all -o "$work/umnozhenie.stripped" "$linux"
# The Windows programs are those scripts/build-windows.sh builds: found under the build
# directories that script names, told apart by their file format.
windows_program() { # pei-i386 or pei-x86-64
  [ -f scripts/build-windows.sh ] || return 0
  local dir exe
  for dir in $(grep -oE 'build[-/][A-Za-z0-9_./-]*' scripts/build-windows.sh | sort -u); do
    while [ ! -d "$dir" ] && [ "$dir" != . ]; do dir=$(dirname "$dir"); done
    [ "$dir" != . ] || continue
    for exe in $(find "$dir" -name umnozhenie.exe -not -path '*/CMakeFiles/*' | sort); do
      if [ "$(objdump -f "$exe" 2>/dev/null | awk '/file format/ { print $NF }')" = "$1" ]; then
        echo "$exe"
        return 0
      fi
    done
  done
}
win32=$(windows_program pei-i386)
win64=$(windows_program pei-x86-64)
# The DLLs that come with Windows itself.
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|shlwapi|ole32|oleaut32|uxtheme|version|imm32|dwmapi|msvcrt|ntdll|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
imports() { objdump -p "$1" | awk '/DLL Name:/ { print $3 }' | sort -u | tr '\n' ' '; }
foreign() { imports "$1" | tr ' ' '\n' | grep -v '^$' | tr 'A-Z' 'a-z' | grep -vE "$system_dlls" | tr '\n' ' ' || true; }

sizes="| File | KiB | DLLs it imports |
|---|---:|---|
| Linux program, Release ($linux) | $(kib "$linux") | |
| the same, stripped | $(kib "$work/umnozhenie.stripped") | |"
size_verdicts=""
for bits in 32 64; do
  exe=$([ $bits = 32 ] && echo "$win32" || echo "$win64")
  if [ -n "$exe" ]; then
    sizes+=$'\n'"| Windows program, $bits-bit ($exe) | $(kib "$exe") | $(imports "$exe")|"
  else
    sizes+=$'\n'"| Windows program, $bits-bit | not built | |"
  fi
done
if [ -n "$win32" ]; then
  size=$(stat -c %s "$win32")
  verdict=FAIL; [ "$size" -le $((400 * 1024)) ] && verdict=PASS
  size_verdicts+="- $verdict 32-bit Windows program ≤ 400 KiB: $(kib "$win32") KiB"$'\n'
  extra=$(foreign "$win32")
  verdict=FAIL; [ -z "$extra" ] && verdict=PASS
  size_verdicts+="- $verdict 32-bit Windows program needs only Windows' own DLLs: ${extra:-none beyond them}"$'\n'
else
  size_verdicts+="- NOT BUILT 32-bit Windows program: build it with scripts/build-windows.sh, then run this again"$'\n'
fi

qt_version=$(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)
machine="- $(nproc) cores: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
- Debian $(cat /etc/debian_version), kernel $(uname -r), Qt $qt_version, Xvfb at 1280x1024x24
- $(chromium --version 2>/dev/null | head -n1), emscripten $(dpkg-query -W -f='${Version}' emscripten 2>/dev/null || echo unknown)
- load average when the run ended: $(cut -d' ' -f1-3 /proc/loadavg)"

report="$startup

$latency

$latency_offscreen

Program files:

$sizes

$size_verdicts
$web

$windows
"

echo
echo "$report"
echo "$machine"

# docs/performance.md keeps its own text; only the part between the two markers is
# the last run's, replaced on each run.
generated="<!-- bench:begin -->
## Last run ($(date -u +%Y-%m-%d))

$report
Machine:

$machine
<!-- bench:end -->"
doc=docs/performance.md
if [ -f "$doc" ] && grep -q '^<!-- bench:begin -->$' "$doc" && grep -q '^<!-- bench:end -->$' "$doc"; then
  GENERATED="$generated" awk '
    /^<!-- bench:begin -->$/ { print ENVIRON["GENERATED"]; skipping = 1; next }
    /^<!-- bench:end -->$/ { skipping = 0; next }
    !skipping { print }' "$doc" >"$work/performance.md"
else
  printf '# Performance\n\nReproduce with `scripts/bench.sh`.\n\n%s\n' "$generated" >"$work/performance.md"
fi
cp "$work/performance.md" "$doc"

if grep -q '^- FAIL' <<<"$report"; then
  echo "bench: some budgets are missed" >&2
  exit 1
fi
