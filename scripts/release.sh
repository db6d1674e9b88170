#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The release command: builds every program in Release from the checked-out commit and
# writes dist/ with the Debian package, the 32-bit and 64-bit Windows programs, a Windows
# Installer package of each, a portable zip of the 32-bit program, the web program (one
# HTML page, and a zip of the web site: the same page with what installs it as an app that
# opens offline), the source archive and SHA256SUMS, each with the program's licence.
# Fails when lintian, appstreamcli or desktop-file-validate complain, or a file lacks the
# licence. Every time stamp is the commit's (SOURCE_DATE_EPOCH), so two runs on the same
# commit give the same files.
# Usage: scripts/release.sh [--check-reproducible] [--allow-dirty]
#   --check-reproducible  builds everything twice from scratch and compares the two dist/
#   --allow-dirty         builds uncommitted changes too (for tests: the source archive
#                         holds only the commit)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

fail() {
  echo "release: $*" >&2
  exit 1
}

check_reproducible=false
allow_dirty=false
for argument in "$@"; do
  case $argument in
    --check-reproducible) check_reproducible=true ;;
    --allow-dirty) allow_dirty=true ;;
    *) echo "usage: $0 [--check-reproducible] [--allow-dirty]" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh build qt windows release web

if [ -n "$(git status --porcelain --untracked-files=no)" ] && ! $allow_dirty; then
  fail "the tree has uncommitted changes: commit them (the source archive holds the commit only), or pass --allow-dirty"
fi
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export TZ=UTC LC_ALL=C.UTF-8
jobs=$(nproc)
out=build/release

build_programs() {
  rm -rf "$out"
  # The Linux program with the flags Debian builds its packages with (hardening: fortify,
  # stack protector, relro, bind-now; build paths left out of the files).
  (
    eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
    CXXFLAGS="$CPPFLAGS $CXXFLAGS" cmake -S . -B "$out/native" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
      -DKORVANTA_WERROR=ON >/dev/null
  )
  cmake --build "$out/native" -j"$jobs"
  # As Debian's own packages: the package strips the program, and the compilers' notes go.
  objcopy --remove-section=.comment --remove-section=.note "$out/native/app/umnozhenie"
  (cd "$out/native" && cpack -G DEB -B "$root/$out/deb" >/dev/null)

  # The Windows programs and their installer packages, built for size: the 32-bit program
  # is to stay within 400 KiB.
  for bits in 32 64; do
    toolchain=$([ "$bits" = 32 ] && echo i686 || echo x86_64)
    CXXFLAGS="-ffile-prefix-map=$root=." cmake -S . -B "$out/win$bits" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$toolchain.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel \
      -DBUILD_TESTING=OFF -DKORVANTA_WERROR=ON >/dev/null
    cmake --build "$out/win$bits" -j"$jobs" --target umnozhenie msi
  done

  # The web program: one HTML page, and the web site made from it.
  scripts/build-web.sh --build-dir "$out/web"
}

version() { sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/native/CMakeCache.txt"; }

collect() {
  local version name
  version=$(version)
  [ -n "$version" ] || fail "no project version in $out/native/CMakeCache.txt"
  name=umnozhenie-$version
  rm -rf dist
  mkdir dist
  cp "$out"/deb/umnozhenie_"$version"_amd64.deb dist/
  for bits in 32 64; do
    cp "$out/win$bits/app/umnozhenie.exe" "dist/$name-windows-${bits}bit.exe"
    cp "$out/win$bits/app/$name-windows-${bits}bit.msi" dist/
  done
  # The portable zip: the 32-bit program and its LICENSE.txt, with the commit's time and no
  # extra fields.
  mkdir -p "$out/portable"
  cp "$out/win32/app/umnozhenie.exe" "$out/win32/app/LICENSE.txt" "$out/portable/"
  touch -d "@$SOURCE_DATE_EPOCH" "$out/portable/umnozhenie.exe" "$out/portable/LICENSE.txt"
  (cd "$out/portable" && zip -X -9 -q "$root/dist/$name-windows-32bit-portable.zip" umnozhenie.exe LICENSE.txt)
  cp "$out/web/umnozhenie.html" "dist/$name-web.html"
  # The web site: a folder umnozhenie/ to put on a web host, in a fixed order, its files
  # dated with the commit and readable by all.
  rm -rf "$out/web-site"
  mkdir "$out/web-site"
  cp -r "$out/web/site" "$out/web-site/umnozhenie"
  chmod -R u=rwX,go=rX "$out/web-site"
  find "$out/web-site" -exec touch -d "@$SOURCE_DATE_EPOCH" {} +
  (cd "$out/web-site" && { echo umnozhenie/; find umnozhenie -type f | LC_ALL=C sort; } |
    zip -X -9 -q -@ "$root/dist/$name-web-site.zip")
  # The source: the commit as git stores it, its files dated with the commit.
  git archive --format=tar --prefix="$name/" HEAD | gzip -9n >"dist/$name.tar.gz"
  (cd dist && sha256sum -- * >SHA256SUMS)
}

# The licence goes with the program: LICENSE in the source, LICENSE.txt beside the Windows
# program (ASCII with Windows line ends, so that any Notepad shows it), MIT and the version
# at the top of the web page and in its metadata.
check_licence() {
  local version name licence
  version=$(version)
  name=umnozhenie-$version
  licence=$out/win32/app/LICENSE.txt
  [ "$(file -b "$licence")" = "ASCII text, with CRLF line terminators" ] ||
    fail "$licence is not ASCII text with CRLF line ends: $(file -b "$licence")"
  local zip=dist/$name-windows-32bit-portable.zip
  [ "$(zip -sf "$zip" | sed -n 's/^  //p')" = $'umnozhenie.exe\nLICENSE.txt' ] ||
    fail "$zip does not hold umnozhenie.exe and LICENSE.txt: $(zip -sf "$zip")"
  tar -xzOf "dist/$name.tar.gz" "$name/LICENSE" | cmp -s - LICENSE || fail "the source archive does not hold LICENSE"
  local page=dist/$name-web.html
  head -n 1 "$page" | grep -qF "<!-- SPDX-License-Identifier: MIT" || fail "$page does not start with its licence"
  head -n 3 "$page" | grep -qF " $version" || fail "the comment at the top of $page lacks the version $version"
  for meta in "<meta name=\"dcterms.license\" content=\"MIT\">" "<meta name=\"version\" content=\"$version\">"; do
    grep -qF "$meta" "$page" || fail "$page lacks $meta"
  done
}

check() {
  local deb unpacked
  deb=$(ls dist/umnozhenie_*.deb)
  unpacked=$out/unpacked
  rm -rf "$unpacked"
  dpkg-deb -x "$deb" "$unpacked"
  echo "== desktop-file-validate"
  desktop-file-validate "$unpacked/usr/share/applications/umnozhenie.desktop" ||
    fail "desktop-file-validate refuses the desktop entry"
  echo "== appstreamcli validate"
  appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/*.metainfo.xml ||
    fail "appstreamcli refuses the metainfo"
  echo "== The licence in every file handed out"
  check_licence
  echo "== lintian"
  lintian --pedantic --display-info --fail-on error,warning "$deb" || fail "lintian complains about $deb"
  echo "== the web site's page"
  unzip -p dist/*-web-site.zip umnozhenie/index.html | cmp - dist/*-web.html ||
    fail "the web site's index.html is not the web program's page"
  echo "== SHA256SUMS"
  (cd dist && sha256sum --check --quiet SHA256SUMS) || fail "dist/ does not match SHA256SUMS"
}

build_programs
collect
check
if $check_reproducible; then
  echo "== A second build from scratch, to compare"
  rm -rf "$out-first"
  mv dist "$out-first"
  build_programs
  collect
  diff "$out-first/SHA256SUMS" dist/SHA256SUMS || fail "the second build differs (first one in $out-first)"
  echo "Both builds gave the same files."
fi
echo
cat dist/SHA256SUMS
