#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The release stage of the tests. Runs the release command twice from scratch and compares
# the files (dist/, with the command's own checks: lintian, appstreamcli,
# desktop-file-validate, SHA256SUMS, the licence in each file). Then, under wine in a fresh
# prefix, deploys the 32-bit Windows Installer package as a lab would: installs it
# silently; checks the program file and its LICENSE.txt, the Start-menu shortcuts (the
# second, "Multiplication by halving", starts the program with --lang en) and the
# Add/Remove Programs entry with their Bulgarian names and icon; starts the installed
# program and runs the worked example in its window; removes it silently and checks that
# nothing is left. Last, an upgrade: a package of an older version, installed first, is
# replaced, and refused after; and the 64-bit package, with its LICENSE.txt, goes into
# Program Files and out again.
# Usage: scripts/test-release.sh
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

started=$SECONDS
scripts/release.sh --allow-dirty --check-reproducible
released=$SECONDS
scripts/enable-win32-programs.sh
# The window tests (64-bit) start the installed program; the Windows stage built them.
scripts/build-windows.sh --with-tests
tests=build/win64/tests/win32/korvanta_win32_tests.exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/release/native/CMakeCache.txt)
msi=dist/umnozhenie-$version-windows-32bit.msi
[ -s "$msi" ] || fail "$msi is missing"

work=build/release-test
echo "== A fresh wine prefix"
source scripts/wine-session.sh
wine_session "$work"
prepared=$SECONDS

# A package of an older version: the same program file, 0.90 on the package.
older=$work/umnozhenie-0.90-windows-32bit.msi
cmake -DPROGRAM=build/release/win32/app/umnozhenie.exe -DICON=resources/icon/hamburger.ico \
  -DLICENSE=build/release/win32/app/LICENSE.txt -DVERSION=0.90 -DARCH=x86 -DOUTPUT="$older" \
  -P packaging/windows/msi.cmake

name="Умножение чрез деление"
program_dir="$WINEPREFIX/drive_c/Program Files (x86)/Umnozhenie"
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
msiexec() { # msiexec /i|/x <package>, silently; prints the exit code (mod 256 under wine)
  local code=0
  "$wine" msiexec "$1" "$(winpath "$2")" /qn >/dev/null 2>&1 || code=$?
  echo "$code"
}
registry() { # registry <key> [/reg:32]: the key's values as UTF-8 text, nothing if it is not there
  local file=$WINEPREFIX/drive_c/key.reg
  rm -f "$file"
  "$wine" reg export "$1" 'C:\key.reg' ${2:-} /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r'
}
uninstall_entry() { registry "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$1" /reg:32; }
packed_code() { # the form of a product code that names its keys: the first three groups
  # reversed, the bytes of the rest with their two digits swapped
  local hex=${1//[\{\}-]/} packed="" i
  for i in 7 6 5 4 3 2 1 0 11 10 9 8 15 14 13 12; do packed+=${hex:i:1}; done
  for ((i = 16; i < 32; i += 2)); do packed+=${hex:i+1:1}${hex:i:1}; done
  echo "$packed"
}
english_name="Multiplication by halving"
shortcuts() { find "$WINEPREFIX/drive_c" -name "$name.lnk" -o -name "$english_name.lnk"; }
shortcut() { find "$WINEPREFIX/drive_c" -name "$1.lnk"; }

echo "== Silent install of $msi"
code=$(product_code "$msi")
[ "$(msiexec /i "$msi")" = 0 ] || fail "msiexec /i $msi /qn failed"
[ -s "$program_dir/umnozhenie.exe" ] || fail "no program file in Program Files (x86)\\Umnozhenie"
cmp -s "$program_dir/umnozhenie.exe" build/release/win32/app/umnozhenie.exe ||
  fail "the installed program file is not the built one"
cmp -s "$program_dir/LICENSE.txt" build/release/win32/app/LICENSE.txt ||
  fail "the licence, LICENSE.txt, is not in Program Files (x86)\\Umnozhenie"
# wine puts the shortcut in the user's Start menu even for a per-machine install.
for each in "$name" "$english_name"; do
  [ "$(shortcut "$each" | wc -l)" = 1 ] || fail "no Start-menu shortcut named $each"
  grep -qa 'umnozhenie.exe' "$(shortcut "$each")" || fail "the shortcut $each does not lead to umnozhenie.exe"
done
# A shortcut's arguments are UTF-16 in the .lnk file.
tr -d '\0' <"$(shortcut "$english_name")" | grep -qa -- '--lang en' ||
  fail "the shortcut $english_name does not start the program with --lang en"
tr -d '\0' <"$(shortcut "$name")" | grep -qa -- '--lang' && fail "the shortcut $name chooses a language"
entry=$(uninstall_entry "$code")
msi_version=${version%%.*}.$((10#${version#*.})).0 # 1.00 is 1.0.0
for value in "\"DisplayName\"=\"$name\"" "\"DisplayVersion\"=\"$msi_version\"" '"Publisher"="example.org"'; do
  grep -qxF "$value" <<<"$entry" || fail "the uninstall entry lacks $value: $entry"
done
# Add/Remove Programs takes the icon of a Windows Installer product from its product key.
packed=$(packed_code "$code")
product=$(registry "HKLM\\Software\\Classes\\Installer\\Products\\$packed")
grep -qxF "\"ProductName\"=\"$name\"" <<<"$product" || fail "the product key lacks the Bulgarian name: $product"
icon=$(sed -n 's/^"ProductIcon"="C:\\\\\(.*\)"$/\1/p' <<<"$product" | sed 's/\\\\/\//g')
[ -s "$WINEPREFIX/drive_c/$icon" ] || fail "the product's icon is missing: $product"
echo "program file, licence, both shortcuts, uninstall entry and icon in place"

echo "== The installed program, started and driven"
log=$work/running.log
if ! timeout 300 "$wine" "$tests" --gtest_brief=1 --gtest_filter='Files/RunningProgram.*/program32' \
  "--program32=C:\\Program Files (x86)\\Umnozhenie\\umnozhenie.exe" >"$log" 2>&1; then
  cat "$log" >&2
  fail "the installed program"
fi
tr -d '\r' <"$log" | grep -E '^\[  PASSED ' || fail "the installed program's test did not run"

expect_removed() { # expect_removed <product code>
  [ ! -e "$program_dir" ] || fail "Program Files (x86)\\Umnozhenie is still there"
  [ -z "$(shortcuts)" ] || fail "a Start-menu shortcut is still there"
  [ -z "$(uninstall_entry "$1")" ] || fail "the uninstall entry is still there"
}
echo "== Silent removal"
[ "$(msiexec /x "$msi")" = 0 ] || fail "msiexec /x $msi /qn failed"
expect_removed "$code"
echo "no file, shortcut or entry left"

echo "== An upgrade from 0.90, and 0.90 refused after"
old_code=$(product_code "$older")
[ "$(msiexec /i "$older")" = 0 ] || fail "msiexec /i $older /qn failed"
grep -qxF '"DisplayVersion"="0.90.0"' <<<"$(uninstall_entry "$old_code")" || fail "0.90 is not installed"
[ "$(msiexec /i "$msi")" = 0 ] || fail "the upgrade to $version failed"
[ -z "$(uninstall_entry "$old_code")" ] || fail "0.90 is still installed after the upgrade"
[ -n "$(uninstall_entry "$code")" ] || fail "$version is not installed after the upgrade"
[ "$(shortcuts | wc -l)" = 2 ] || fail "not the two Start-menu shortcuts after the upgrade"
# Windows Installer's 1603, a failed installation, is 67 under wine.
[ "$(msiexec /i "$older")" = 67 ] || fail "0.90 was not refused over $version"
[ -z "$(uninstall_entry "$old_code")" ] || fail "0.90 was installed over $version"
[ "$(msiexec /x "$msi")" = 0 ] || fail "msiexec /x $msi /qn failed after the upgrade"
expect_removed "$code"
echo "0.90 replaced by $version, then refused; nothing left after removal"

echo "== The 64-bit package, into Program Files"
msi64=dist/umnozhenie-$version-windows-64bit.msi
program64_dir="$WINEPREFIX/drive_c/Program Files/Umnozhenie"
[ "$(msiexec /i "$msi64")" = 0 ] || fail "msiexec /i $msi64 /qn failed"
cmp -s "$program64_dir/umnozhenie.exe" build/release/win64/app/umnozhenie.exe ||
  fail "the 64-bit program file is not in Program Files\\Umnozhenie"
cmp -s "$program64_dir/LICENSE.txt" build/release/win64/app/LICENSE.txt ||
  fail "the licence, LICENSE.txt, is not in Program Files\\Umnozhenie"
[ "$(msiexec /x "$msi64")" = 0 ] || fail "msiexec /x $msi64 /qn failed"
[ ! -e "$program64_dir" ] && [ -z "$(shortcuts)" ] || fail "the 64-bit package left files behind"
echo "installed and removed"

finished=$SECONDS
echo "Release stage: release command $((released - started)) s, wine prefix $((prepared - released)) s," \
  "installer tests $((finished - prepared)) s, in all $((finished - started)) s"
