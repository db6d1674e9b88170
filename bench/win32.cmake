# SPDX-License-Identifier: MIT
# The Windows program's latencies, on its own window code with its manifest (common
# controls 6), run under wine by scripts/bench-windows.sh.
enable_language(RC)
add_executable(korvanta_win32_latency win32_latency.cpp win32_latency.rc)
target_link_libraries(korvanta_win32_latency PRIVATE korvanta_win32)
target_link_options(korvanta_win32_latency PRIVATE -municode)
target_include_directories(korvanta_win32_latency PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/backends/win32)
set_source_files_properties(win32_latency.rc PROPERTIES OBJECT_DEPENDS
  "${PROJECT_SOURCE_DIR}/backends/win32/program.manifest")
