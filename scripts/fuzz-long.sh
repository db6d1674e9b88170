#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The longer fuzzing run: an hour per target by default, all targets side by side,
# growing the corpus in build/fuzz/corpus/<target> so that the next run starts where
# this one ended. Usage: scripts/fuzz-long.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-3600}
shift $(($# > 0 ? 1 : 0))
exec scripts/test-fuzz.sh --seconds "$seconds" --keep-corpus "$@"
