#!/usr/bin/env bash
# Builds the web program with emscripten (installing what is missing on Debian 12) and
# says where it is: one HTML file with the WebAssembly inside it.
# Usage: scripts/build-web.sh [--with-tests]   (also the tests built for the web)
set -euo pipefail
cd "$(dirname "$0")/.."

tests=OFF
case "${1:-}" in
  --with-tests) tests=ON ;;
  "") ;;
  *) echo "usage: $0 [--with-tests]" >&2; exit 2 ;;
esac

scripts/install-deps.sh build web

# emcmake would have the tests run by "node --experimental-wasm-threads", an option Node 20
# no longer knows; the tests need no threads.
emcmake cmake -S . -B build/web -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DKORVANTA_WERROR=ON -DBUILD_TESTING="$tests" >/dev/null
cmake --build build/web -j"$(nproc)"

page=build/web/umnozhenie.html
echo
printf 'The web program: %s (%s bytes). Open it in a browser, or copy it anywhere: it needs no other file.\n' \
  "$PWD/$page" "$(stat -c %s "$page")"
