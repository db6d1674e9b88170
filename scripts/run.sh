#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the program (installing what is missing on Debian 12) and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh build qt
cmake -S . -B build/native >/dev/null
cmake --build build/native -j"$(nproc)"

program=build/native/app/umnozhenie
if [ ! -x "$program" ]; then
  echo "Built the calculation; the window program is not part of this build yet." >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: the program needs a desktop session (DISPLAY or WAYLAND_DISPLAY) to open its window." >&2
  exit 1
fi
exec "$program"
