#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the built program into a scratch folder and makes its .deb, then checks that
# both hold the program, the desktop entry (Bulgarian name, English beside it), the icons, the software-centre
# entry, the manual pages and the Debian documents, and that the package names what it
# needs from Debian.
# Usage: package_test.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"

fail() { echo "FAIL: $*"; exit 1; }
expect_files() { # root, then the files that must be under it
  local root=$1; shift
  for file in "$@"; do
    [ -s "$root/$file" ] || fail "$root/$file is missing"
  done
}
files=(bin/umnozhenie share/applications/umnozhenie.desktop share/icons/hicolor/32x32/apps/umnozhenie.png
       share/icons/hicolor/scalable/apps/umnozhenie.svg share/metainfo/org.example.umnozhenie.metainfo.xml
       share/man/man1/umnozhenie.1.gz share/man/bg/man1/umnozhenie.1.gz share/doc/umnozhenie/changelog.gz
       share/doc/umnozhenie/copyright)

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
expect_files "$scratch/prefix" "${files[@]}"
[ -x "$scratch/prefix/bin/umnozhenie" ] || fail "the program is not executable"
entry=$scratch/prefix/share/applications/umnozhenie.desktop
for line in "Type=Application" "Name=Умножение чрез деление" "Exec=umnozhenie" "Icon=umnozhenie"; do
  grep -qxF "$line" "$entry" || fail "the desktop entry lacks $line"
done
grep -q '^Comment=Умножение на две числа' "$entry" || fail "the desktop entry has no Bulgarian comment"
# English beside it, and an action that starts the program in English.
for line in "Name[en]=Multiplication by halving" "Actions=English;" "[Desktop Action English]" \
  "Exec=umnozhenie --lang en"; do
  grep -qxF "$line" "$entry" || fail "the desktop entry lacks $line"
done
grep -q '^Comment\[en\]=' "$entry" || fail "the desktop entry has no English comment"
desktop-file-validate "$entry" || fail "desktop-file-validate refuses the desktop entry"
identify -format '%w x %h\n' "$scratch/prefix/share/icons/hicolor/32x32/apps/umnozhenie.png" | grep -qx '32 x 32' ||
  fail "the icon is not 32 x 32"

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/umnozhenie_*.deb)
dpkg-deb -f "$deb" Package | grep -qx umnozhenie || fail "wrong package name"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 qt6-qpa-plugins fonts-liberation2; do
  [[ $depends == *"$package"* ]] || fail "the package does not depend on $package"
done
mkdir "$scratch/unpacked"
dpkg-deb -x "$deb" "$scratch/unpacked"
expect_files "$scratch/unpacked/usr" "${files[@]}"
echo "installed files and $(basename "$deb") hold the program, its desktop entry and icons"
