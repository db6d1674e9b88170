# SPDX-License-Identifier: MIT
# The 32-bit Windows program: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KORVANTA_MINGW_TRIPLE i686-w64-mingw32)
# Floating point in SSE2 registers, as on x86-64, instead of the x87 unit's 80-bit
# intermediates: every sum and product then rounds bit for bit as in the 64-bit and Linux
# programs. Every processor Windows 8 and later runs on has SSE2.
set(KORVANTA_MINGW_ARCH_FLAGS "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
