#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs every test: installs what is missing (Debian 12), checks the format,
# builds with warnings as errors and runs the whole suite, then the sanitizer, fuzz, web,
# Windows and release stages. Stops at the first stage that fails.
set -euo pipefail
cd "$(dirname "$0")/.."

# apt's indexes are updated once in this run, and again only after an architecture is added.
mkdir -p build
export KORVANTA_APT_STAMP=$PWD/build/apt-updated
rm -f "$KORVANTA_APT_STAMP"
scripts/install-deps.sh all

echo "== format"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

echo "== build and tests"
jobs=$(nproc)
cmake -S . -B build/native -DKORVANTA_WERROR=ON
cmake --build build/native -j"$jobs"
# The window tests need an X display of their own; Xvfb gives one.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build/native --output-on-failure -j"$jobs"
stages=2

for stage in scripts/test-sanitizers.sh scripts/test-fuzz.sh scripts/test-web.sh scripts/test-windows.sh scripts/test-release.sh; do
  if [ -x "$stage" ]; then
    echo "== $stage"
    "$stage"
    stages=$((stages + 1))
  fi
done
echo "stages: $stages passed, 0 failed"
