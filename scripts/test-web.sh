#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The web stage of the tests. Builds the web program and its tests with emscripten, then
# runs the calculation's unit suite under Node.js, and the backend contract and the
# program's page end to end in headless Chromium. Leaves the screenshots of the page in
# build/web/tests/web/end_to_end/; --update-screenshots also copies them to docs/.
# Usage: scripts/test-web.sh [--update-screenshots]
set -euo pipefail
cd "$(dirname "$0")/.."

update=false
case "${1:-}" in
  --update-screenshots) update=true ;;
  "") ;;
  *) echo "usage: $0 [--update-screenshots]" >&2; exit 2 ;;
esac

started=$SECONDS
scripts/build-web.sh --with-tests
built=$SECONDS
ctest --test-dir build/web --output-on-failure -j"$(nproc)" --timeout 300
finished=$SECONDS

shots=build/web/tests/web/end_to_end
if $update; then
  cp "$shots/screenshot-web.png" "$shots/screenshot-web-phone.png" "$shots/screenshot-explain-web.png" "$shots/screenshot-en-web.png" \
    "$shots/screenshot-practice-web.png" docs/
  echo "copied the screenshots to docs/"
fi
echo "Web stage: build $((built - started)) s, tests $((finished - built)) s, in all $((finished - started)) s"
