#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Windows program, 32-bit and 64-bit, with the mingw-w64 cross compilers
# (installing what is missing on Debian 12), and says where the program files are.
# Usage: scripts/build-windows.sh [--with-tests]   (also the test programs of both)
set -euo pipefail
cd "$(dirname "$0")/.."

tests=OFF
case "${1:-}" in
  --with-tests) tests=ON ;;
  "") ;;
  *) echo "usage: $0 [--with-tests]" >&2; exit 2 ;;
esac

scripts/install-deps.sh build windows

jobs=$(nproc)
build() { # build <toolchain> <build folder> <tests ON/OFF>
  cmake -S . -B "$2" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw-$1.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DKORVANTA_WERROR=ON -DBUILD_TESTING="$3" >/dev/null
  cmake --build "$2" -j"$jobs"
}
build i686 build/win32 "$tests"
build x86_64 build/win64 "$tests"

echo
for bits in 32 64; do
  program=build/win$bits/app/umnozhenie.exe
  printf 'The %s-bit Windows program: %s (%s bytes)\n' "$bits" "$PWD/$program" "$(stat -c %s "$program")"
done
