#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages that building and testing need, only those missing.
# Usage: scripts/install-deps.sh [group...]   groups: build (default), qt, windows, fuzz, bench, release, web, icons,
# all, and the 32-bit wine that scripts/enable-win32-programs.sh installs: qemu, win32
#
# The archive has bad moments (a mirror in the middle of a sync serves an index that does
# not match its release file), so every apt-get retries its downloads, `apt-get update`
# is tried again with a growing pause (KORVANTA_APT_PAUSE seconds at first, default 5) and
# the install then goes on with the indexes apt has. Where a package still cannot be
# installed because an index was out of step, the index the archive serves is taken
# instead, once the packages it is needed for are found at the same versions in the
# indexes apt did verify. When the test command sets KORVANTA_APT_STAMP (a file), apt's
# indexes are updated once per run, and again only after an architecture was added.
# Exits with 75 when the archive refuses what is needed.
set -euo pipefail
export LC_ALL=C

declare -A groups=(
  [build]="cmake make g++ libgtest-dev locales clang-format git gettext python3"
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

say() { echo "install-deps: $*" >&2; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
# apt-helper, which downloads and unpacks files as apt does, lives beside apt's methods.
PATH=$PATH:/usr/lib/apt
apt=(apt-get -o Acquire::Retries=5)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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

# The first error apt printed, on one line.
first_error() { grep -m1 '^E: ' "$1" | sed 's/^E: //; s/[[:space:]]\+/ /g' || true; }

# apt-get update, tried again with a growing pause until it succeeds. The indexes that came
# out of step with their release file are listed in $work/stale-indexes (and in the stamp).
update_indexes() {
  local architectures tries=4 pause=${KORVANTA_APT_PAUSE:-5} try
  architectures=$(dpkg --print-architecture; dpkg --print-foreign-architectures)
  if [ -n "${KORVANTA_APT_STAMP:-}" ] && [ -f "$KORVANTA_APT_STAMP" ] &&
    [ "$(sed -n '/^stale /q;p' "$KORVANTA_APT_STAMP")" = "$architectures" ]; then
    sed -n 's/^stale //p' "$KORVANTA_APT_STAMP" >"$work/stale-indexes"
    return
  fi
  : >"$work/stale-indexes"
  for try in $(seq "$tries"); do
    if $sudo "${apt[@]}" update -qq >"$work/update.log" 2>&1; then
      break
    fi
    sed -n 's/^E: Failed to fetch \([^ ]*\/Packages[^ ]*\) .*\(unexpected size\|Hash Sum mismatch\).*/\1/p' \
      "$work/update.log" | sort -u >"$work/stale-indexes"
    if [ "$try" -lt "$tries" ]; then
      say "apt-get update failed (try $try of $tries: $(first_error "$work/update.log")); trying again in $pause s"
      sleep "$pause"
      pause=$(awk -v p="$pause" 'BEGIN { print p * 2 }')
    else
      say "apt-get update failed $tries times ($(first_error "$work/update.log")); going on with the indexes apt has"
    fi
  done
  if [ -n "${KORVANTA_APT_STAMP:-}" ]; then
    { echo "$architectures"; sed 's/^/stale /' "$work/stale-indexes"; } >"$KORVANTA_APT_STAMP"
  fi
}

install_missing() {
  DEBIAN_FRONTEND=noninteractive $sudo "${apt[@]}" install -y -qq "${missing[@]}" >"$work/install.log" 2>&1
}

# Every "name version" pair a Packages index lists.
package_versions() { awk '/^Package: / { name = $2 } /^Version: / { print name, $2 }' "$@"; }

# Takes the index at URL as the archive serves it, in place of the one apt refused: only
# when every package the install takes from it is listed at the same version in the indexes
# apt verified (another architecture of the same release has the same versions).
take_served_index() {
  local url=$1 lists name list
  lists=$(apt-config shell L Dir::State::lists/d | sed -n "s/^L='\(.*\)'$/\1/p")
  name=$(sed 's|^[a-z]*://||; s|/|_|g; s/\.\(xz\|gz\|bz2\|lzma\|lz4\|zst\)$//' <<<"$url")
  list=$lists$name
  apt-helper -o Acquire::Retries=5 download-file "$url" "$work/served.${url##*.}" >/dev/null 2>&1 || return 1
  apt-helper cat-file "$work/served.${url##*.}" >"$work/served" 2>/dev/null || return 1
  grep -q '^Package: ' "$work/served" || return 1

  find "$lists" -maxdepth 1 -name '*_Packages*' ! -name "$name*" -print0 | xargs -0 -r apt-helper cat-file |
    package_versions | sort -u >"$work/verified"
  package_versions "$work/served" | sort -u >"$work/served-versions"
  $sudo cp "$work/served" "$list"
  # What the install would take, as "name version", and which of it only the served index has.
  "${apt[@]}" install -s -y "${missing[@]}" 2>/dev/null |
    sed -n 's/^Inst \([^ :]*\)[^ ]* \(\[[^]]*\] \)\?(\([^ ]*\) .*/\1 \3/p' | sort -u >"$work/taken"
  comm -12 "$work/taken" "$work/served-versions" | comm -23 - "$work/verified" >"$work/unverified"
  if [ -s "$work/unverified" ]; then
    $sudo rm -f "$list"
    say "the index $url as served lists $(head -n1 "$work/unverified") and no verified index has that version"
    return 1
  fi
  say "the archive's index $url is out of step with its release file; using it as served (the $(comm -12 "$work/taken" "$work/served-versions" | wc -l) package(s) taken from it are at versions a verified index lists)"
}

# The archive's refusal, on one line, and not the project's fault.
refused() {
  say "Debian's archive refused ${missing[*]}: $1. This is the archive's fault (a mirror in the middle of a sync, or no network), not the project's; try again later."
  exit 75
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  update_indexes
  if ! install_missing; then
    reason=$(first_error "$work/install.log")
    [ -s "$work/stale-indexes" ] || refused "${reason:-apt-get install failed}"
    while read -r url; do
      take_served_index "$url" || refused "$url is out of step with its release file and cannot stand in for it"
    done <"$work/stale-indexes"
    install_missing || refused "$(first_error "$work/install.log")"
  fi
fi

# A Bulgarian locale, so that the tests can show that numbers ignore the user's locale.
if ! locale -a 2>/dev/null | grep -qi '^bg_BG.utf8$'; then
  if [ -f /etc/locale.gen ]; then
    $sudo sed -i 's/^# *bg_BG.UTF-8 UTF-8/bg_BG.UTF-8 UTF-8/' /etc/locale.gen
    $sudo locale-gen >/dev/null || true
  fi
fi
