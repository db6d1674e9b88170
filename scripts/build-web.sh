#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the web program with emscripten (installing what is missing on Debian 12) and
# says where it is: one HTML file with the WebAssembly inside it.
# Usage: scripts/build-web.sh [--with-tests] [--build-dir DIR]
#   --with-tests     also the tests built for the web
#   --build-dir DIR  build in DIR (default build/web)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/web
tests=false
while [ $# -gt 0 ]; do
  case "$1" in
    --with-tests) tests=true; shift ;;
    --build-dir) build=${2:?--build-dir needs a folder}; shift 2 ;;
    *) echo "usage: $0 [--with-tests] [--build-dir DIR]" >&2; exit 2 ;;
  esac
done
options=()
target=(--target umnozhenie umnozhenie_site)
if $tests; then
  options=(-DBUILD_TESTING=ON)
  target=()
elif [ ! -f "$build/CMakeCache.txt" ]; then
  options=(-DBUILD_TESTING=OFF) # else as the build has it
fi

scripts/install-deps.sh build web

# emcmake would have the tests run by "node --experimental-wasm-threads", an option Node 20
# no longer knows; the tests need no threads.
# The page is downloaded by every pupil, so it is built for size: optimised for size across
# the whole program at link time (the tests too, so that they test the same code), without
# type information, which the program does not use.
emcmake cmake -S . -B "$build" -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DCMAKE_CXX_FLAGS_MINSIZEREL="-Oz -DNDEBUG -flto -fno-rtti" \
  -DKORVANTA_WERROR=ON "${options[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" "${target[@]}"

page=$build/umnozhenie.html
echo
printf 'The web program: %s (%s bytes). Open it in a browser, or copy it anywhere: it needs no other file.\n' \
  "$PWD/$page" "$(stat -c %s "$page")"
