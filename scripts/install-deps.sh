#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, only those missing.
# Usage: scripts/install-deps.sh [group...]   groups: build (default), qt, windows, fuzz, bench, release, web, icons,
# all, and the 32-bit wine that scripts/enable-win32-programs.sh installs: qemu, win32
set -euo pipefail

declare -A groups=(
  [build]="cmake make g++ libgtest-dev locales clang-format git"
  [qt]="qt6-base-dev qt6-qpa-plugins libgl-dev fonts-liberation2 xvfb xauth xdotool x11-utils imagemagick dbus at-spi2-core python3-pyatspi desktop-file-utils dpkg-dev file"
  [windows]="g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 googletest wine64 fonts-wine xvfb fonts-liberation2 fonts-dejavu-core imagemagick"
  [fuzz]="clang-14 libclang-rt-14-dev llvm-14"
  [qemu]="qemu-user-static"
  [win32]="wine32:i386 wine32-preloader:i386"
  [release]="wixl msitools faketime zip unzip lintian appstream desktop-file-utils dpkg-dev file"
  [bench]="libx11-dev libxft-dev libxcb1-dev pkg-config binutils xvfb xauth"
  [icons]="librsvg2-bin imagemagick pngquant g++ python3"
  [web]="emscripten nodejs googletest chromium chromium-driver python3-selenium fonts-liberation2"
)

wanted=()
for group in "${@:-build}"; do
  if [ "$group" = all ]; then
    for g in "${!groups[@]}"; do
      case $g in qemu | win32) ;; *) wanted+=(${groups[$g]}) ;; esac
    done
  else
    wanted+=(${groups[$group]:?unknown group $group})
  fi
done

missing=()
for package in $(printf '%s\n' "${wanted[@]}" | sort -u); do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# A Bulgarian locale, so that the tests can show that numbers ignore the user's locale.
if ! locale -a 2>/dev/null | grep -qi '^bg_BG.utf8$'; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  if [ -f /etc/locale.gen ]; then
    $sudo sed -i 's/^# *bg_BG.UTF-8 UTF-8/bg_BG.UTF-8 UTF-8/' /etc/locale.gen
    $sudo locale-gen >/dev/null || true
  fi
fi
