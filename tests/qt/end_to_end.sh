#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the program as a user would and works the example 24 x 26 with the mouse and
# the keyboard (xdotool), in Bulgarian and then in English; end_to_end.py reads the window
# back through the desktop's accessibility interface (AT-SPI) and takes screenshots.
# Usage: end_to_end.sh PROGRAM OUTPUT_DIR
# Uses the X display it is given, or starts its own (xvfb-run) when there is none, and a
# private D-Bus session with its own accessibility bus. It ends only what it started.
set -euo pipefail

program=$(realpath "$1")
out=$(realpath -m "${2:-.}")
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
if [ -z "${KORVANTA_E2E_SESSION:-}" ]; then
  export KORVANTA_E2E_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi

mkdir -p "$out"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  wait 2>/dev/null || true
}
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately 2>"$out/at-spi.log" &
pids+=($!)
# Wait until the accessibility bus is there, without letting D-Bus start a second one.
for _ in $(seq 100); do
  if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true; then
    break
  fi
  sleep 0.1
done

# In a sanitizer build: libxkbcommon-x11 hands strndup a counted buffer without a closing
# NUL, which AddressSanitizer's strict string checks take for an overflow.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS=$ASAN_OPTIONS:strict_string_checks=0
fi
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" 2>"$out/program.log" &
program_pid=$!
pids=("$program_pid" "${pids[@]}")

# Debian's own Python carries the AT-SPI bindings.
timeout 45 /usr/bin/python3 "$here/end_to_end.py" "$program_pid" "$out"
kill "$program_pid"
wait "$program_pid" || true

# A language the program does not have: one line on stderr, exit code 2, no window.
status=0
QT_QPA_PLATFORM=xcb timeout 10 "$program" --lang xx 2>"$out/unknown-language.log" || status=$?
if [ "$status" != 2 ] || [ "$(wc -l <"$out/unknown-language.log")" != 1 ] ||
  ! grep -q '"xx"' "$out/unknown-language.log"; then
  echo "FAIL: --lang xx gave exit code $status and: $(cat "$out/unknown-language.log")"
  exit 1
fi
echo "--lang xx: $(cat "$out/unknown-language.log")"

# In English, chosen on the command line beside one of Qt's own options.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" -platform xcb --lang en 2>"$out/program-en.log" &
program_pid=$!
pids=("$program_pid" "${pids[@]}")
timeout 30 /usr/bin/python3 "$here/end_to_end.py" "$program_pid" "$out" en
