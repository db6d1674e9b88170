#!/usr/bin/env bash
# Builds and runs every test: installs what is missing (Debian 12), then builds with
# warnings as errors and runs the whole suite. Each further stage runs when present.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh all

jobs=$(nproc)
cmake -S . -B build/native -DKORVANTA_WERROR=ON
cmake --build build/native -j"$jobs"
# The window tests need an X display of their own; Xvfb gives one.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build/native --output-on-failure -j"$jobs"

for stage in scripts/test-sanitizers.sh scripts/test-fuzz.sh scripts/test-windows.sh; do
  if [ -x "$stage" ]; then
    echo "== $stage"
    "$stage"
  fi
done
