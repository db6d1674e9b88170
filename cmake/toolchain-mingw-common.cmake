# SPDX-License-Identifier: MIT
# Cross-building the Windows program with Debian's mingw-w64 (posix thread model).
# Included by the per-architecture toolchain files after they set KORVANTA_MINGW_TRIPLE
# (and KORVANTA_MINGW_ARCH_FLAGS, the code generation options of the architecture).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)

set(CMAKE_C_COMPILER ${KORVANTA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVANTA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVANTA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KORVANTA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every function in its own section, so that the linker drops what nothing calls;
# the C and C++ runtimes are linked in, so a program file needs only Windows' own DLLs.
set(CMAKE_C_FLAGS_INIT "${KORVANTA_MINGW_ARCH_FLAGS} -ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "${KORVANTA_MINGW_ARCH_FLAGS} -ffunction-sections -fdata-sections")
# No link time in the file header: the same sources give the same program file.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--gc-sections -Wl,--no-insert-timestamp")
