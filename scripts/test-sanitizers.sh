#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer in
# build/asan and runs it. Any sanitizer report ends its test with a failure, and so
# the run. Usage: scripts/test-sanitizers.sh
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build qt
jobs=$(nproc)
# The build stops at the first report of either sanitizer (-fno-sanitize-recover, set
# with KORVANTA_SANITIZE); halt_on_error keeps it so even for a check compiled to
# recover. GCC leaves casts of out-of-range doubles to integers out of "undefined".
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1

cmake -S . -B build/asan -DKORVANTA_SANITIZE=ON -DKORVANTA_WERROR=ON \
  -DCMAKE_CXX_FLAGS=-fsanitize=float-cast-overflow >/dev/null
cmake --build build/asan -j"$jobs"

# The window tests need an X display of their own; Xvfb gives one.
start=$SECONDS
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir build/asan --output-on-failure -j"$jobs" --timeout 300
echo "Sanitizer tests passed in $((SECONDS - start)) s."
