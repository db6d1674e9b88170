# SPDX-License-Identifier: MIT
# The 64-bit Windows program: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KORVANTA_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

# Windows test programs run under wine when ctest starts them.
find_program(KORVANTA_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(KORVANTA_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVANTA_WINE64})
endif()
