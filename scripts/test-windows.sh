#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows stage of the tests. Makes the machine able to run 32-bit Windows programs
# (scripts/enable-win32-programs.sh), builds both program files and the test programs of
# both widths, inspects the 32-bit program file, and runs under wine, on an X display of
# its own (Xvfb) and a wine prefix of its own prepared once per run, for the 32-bit and
# then the 64-bit build: the unit suite of the calculation, and the window tests, which
# also read back and run both program files. Leaves screenshots of the 32-bit program in
# build/wine-test/: after the worked example, the main window alone and with its
# explanation ("Защо става така?") beside it, and the practice ("Упражнение") beside it in
# the middle of a task, one mistake explained; and the main window in English (--lang en)
# after the worked example; --update-screenshot also copies them to docs/.
# Usage: scripts/test-windows.sh [--update-screenshot]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

update_screenshot=false
case "${1:-}" in
  --update-screenshot) update_screenshot=true ;;
  "") ;;
  *) echo "usage: $0 [--update-screenshot]" >&2; exit 2 ;;
esac

started=$SECONDS
scripts/enable-win32-programs.sh
enabled=$SECONDS
scripts/build-windows.sh --with-tests
built=$SECONDS
program32=build/win32/app/umnozhenie.exe
program64=build/win64/app/umnozhenie.exe

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

echo "== The 32-bit program file, inspected"
headers=$(i686-w64-mingw32-objdump -p "$program32")
grep -q 'file format pei-i386' <<<"$headers" || fail "$program32 is not an i386 program file"
grep -q 'Magic[[:space:]]*010b' <<<"$headers" || fail "$program32 is not a PE32 file"
grep -q 'Subsystem[[:space:]]*00000002' <<<"$headers" || fail "$program32 is not a GUI program"
# Only Windows' own DLLs: the C and C++ runtimes are linked in (shell32 splits the
# command line into its arguments; ole32 gives COM, for what screen readers are told).
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
for dll in $imports; do
  case "$dll" in
    kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll | advapi32.dll | shell32.dll | ole32.dll) ;;
    *) fail "$program32 imports $dll, which is not part of Windows" ;;
  esac
done
# Resource types at the top of the resource directory: 3 icon, 14 icon group,
# 16 version, 24 manifest.
for type in 000003 00000e 000010 000018; do
  grep -Eq "^[0-9a-f]+   Entry: ID: 0x$type," <<<"$headers" || fail "$program32 lacks resources of type 0x$type"
done
echo "i386, GUI, imports $(tr '\n' ' ' <<<"$imports")- icon, version and manifest present"

work=build/wine-test
echo "== A wine prefix for the tests"
source scripts/wine-session.sh
wine_session "$work"
prepared=$SECONDS

# Under qemu (where the kernel does not run 32-bit code) a 32-bit program runs about 15
# times slower than natively: its runs may take that much longer before they count as hung.
limit32=1800
limit64=300

run_tests() { # run_tests <log> <time limit in s> <program> [arguments...]
  local log=$1 limit=$2
  shift 2
  if ! timeout "$limit" "$wine" "$@" --gtest_brief=1 >"$log" 2>&1; then
    cat "$log" >&2
    fail "$1 under wine"
  fi
  tr -d '\r' <"$log" | grep -E '^\[  (PASSED|SKIPPED) |tests? from .* ran' || true
}

programs=("--program32=$(winpath "$program32")" "--program64=$(winpath "$program64")")
declare -A took
for bits in 32 64; do
  limit=limit$bits
  begun=$SECONDS
  echo "== The calculation and the form, built for $bits-bit Windows"
  run_tests "$work/unit$bits.log" "${!limit}" "build/win$bits/tests/korvanta_tests.exe"
  echo "== The $bits-bit Win32 window, and both program files"
  run_tests "$work/window$bits.log" "${!limit}" "build/win$bits/tests/win32/korvanta_win32_tests.exe" "${programs[@]}"
  took[$bits]=$((SECONDS - begun))
done

# screenshot <name> <test> <what the test prints before the windows' geometry>: the
# 32-bit program run by a test and left open, and the part of the screen its windows cover.
# Each program started later lies above the ones before it, so the screenshot of the main
# window alone, centred, comes last: it covers what the one before left there.
screenshot() {
  local name=$1 test=$2 marker=$3 geometry
  run_tests "$work/$name.log" "$limit64" build/win64/tests/win32/korvanta_win32_tests.exe "${programs[@]}" \
    --leave-open --gtest_filter="Files/RunningProgram.$test/program32"
  geometry=$(tr -d '\r' <"$work/$name.log" | sed -n "s/^$marker: //p")
  [ -n "$geometry" ] || fail "the program's windows were not found"
  sleep 1 # the program paints its last state
  import -display "$DISPLAY" -window root -crop "$geometry" +repage "$work/$name.png"
  echo "$root/$work/$name.png ($geometry)"
  if $update_screenshot; then
    cp "$work/$name.png" "docs/$name.png"
    echo "copied to docs/$name.png"
  fi
}
echo "== Screenshots of the 32-bit program: its practice, its explanation and the main window alone, in English too"
screenshot screenshot-practice-windows PracticesByTheKeyboard "program windows"
screenshot screenshot-explain-windows ExplainsTheWorkedExampleAsItGoes "program windows"
screenshot screenshot-en-windows RunsTheWorkedExampleInEnglish "program window"
screenshot screenshot-windows OpensItsWindowAndRunsTheWorkedExample "program window"

finished=$SECONDS
echo "Windows stage: 32-bit wine $((enabled - started)) s, builds $((built - enabled)) s," \
  "wine prefix $((prepared - built)) s, 32-bit tests ${took[32]} s, 64-bit tests ${took[64]} s," \
  "in all $((finished - started)) s"
