#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a bounded
# time, side by side, starting from the committed seed corpus. Fails on any crash,
# sanitizer report, leak, hang (one input over 10 s) or failed check; the input that
# did it is kept in build/fuzz/artifacts/.
# Usage: scripts/test-fuzz.sh [--seconds N] [--keep-corpus] [target...]
#   --seconds N     how long each target runs (default 60)
#   --keep-corpus   grow build/fuzz/corpus/<target> from run to run instead of
#                   fuzzing a temporary copy of the seeds
#   target          conversions, form, practice (default: all of fuzz/corpus/*)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
keep=false
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --keep-corpus) keep=true; shift ;;
    *) targets+=("$1"); shift ;;
  esac
done
if [ ${#targets[@]} -eq 0 ]; then
  for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

build=build/fuzz
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DKORVANTA_FUZZ=ON -DBUILD_TESTING=OFF \
  -DKORVANTA_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts=$PWD/$build/artifacts
mkdir -p "$artifacts"

declare -A pids
for target in "${targets[@]}"; do
  # New inputs go to the first corpus folder; the seeds are only read.
  if $keep; then
    corpus=$build/corpus/$target
  else
    corpus=$work/$target
  fi
  mkdir -p "$corpus"
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$corpus" fuzz/corpus/"$target" >"$work/$target.log" 2>&1 &
  pids[$target]=$!
done

status=0
for target in "${targets[@]}"; do
  log=$work/$target.log
  if wait "${pids[$target]}"; then
    figure() { sed -n "s/^stat::$1: *//p" "$log"; }
    kept=$(grep -o 'corp: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2 || true)
    echo "fuzz_$target: $(figure number_of_executed_units) inputs run in ${seconds} s" \
      "($(figure average_exec_per_sec)/s), corpus $(find fuzz/corpus/"$target" -type f | wc -l) seeds ->" \
      "$kept inputs kept, peak $(figure peak_rss_mb) MB"
  else
    echo "fuzz_$target FAILED; the input that failed is in $artifacts:" >&2
    tail -n 80 "$log" >&2
    status=1
  fi
done
exit $status
