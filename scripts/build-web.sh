#!/usr/bin/env bash
# Builds the web program with emscripten (installing what is missing on Debian 12) and
# says where it is: one HTML file with the WebAssembly inside it.
# Usage: scripts/build-web.sh [--with-tests]   (also the tests built for the web)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/web
options=()
target=(--target umnozhenie)
case "${1:-}" in
  --with-tests) options=(-DBUILD_TESTING=ON); target=() ;;
  "") [ -f "$build/CMakeCache.txt" ] || options=(-DBUILD_TESTING=OFF) ;; # as it was, or none
  *) echo "usage: $0 [--with-tests]" >&2; exit 2 ;;
esac

scripts/install-deps.sh build web

# emcmake would have the tests run by "node --experimental-wasm-threads", an option Node 20
# no longer knows; the tests need no threads.
emcmake cmake -S . -B "$build" -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DKORVANTA_WERROR=ON "${options[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" "${target[@]}"

page=$build/umnozhenie.html
echo
printf 'The web program: %s (%s bytes). Open it in a browser, or copy it anywhere: it needs no other file.\n' \
  "$PWD/$page" "$(stat -c %s "$page")"
