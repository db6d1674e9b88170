# SPDX-License-Identifier: MIT
# The Windows program: umnozhenie.exe, a GUI program with its icon, version and manifest.
enable_language(RC)

add_executable(umnozhenie WIN32 main_win32.cpp win32.rc)
target_link_libraries(umnozhenie PRIVATE korvanta_win32)
# wWinMain, the UTF-16 entry point; the release program is stripped.
target_link_options(umnozhenie PRIVATE -municode $<$<CONFIG:Release,MinSizeRel>:-s>)
# The resource compiler finds the icon, the manifest and the shared identifiers.
target_include_directories(umnozhenie PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources/icon
                                              ${PROJECT_SOURCE_DIR}/backends/win32)
set_source_files_properties(win32.rc PROPERTIES OBJECT_DEPENDS
  "${PROJECT_SOURCE_DIR}/resources/icon/hamburger.ico;${PROJECT_SOURCE_DIR}/backends/win32/program.manifest;${PROJECT_SOURCE_DIR}/backends/win32/resources.h")

# The Windows Installer package: cmake --build BUILD --target msi (needs wixl and msitools;
# faketime too where SOURCE_DATE_EPOCH is set).
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(msi_arch x86)
  set(msi_bits 32)
else()
  set(msi_arch x64)
  set(msi_bits 64)
endif()
set(msi ${CMAKE_CURRENT_BINARY_DIR}/umnozhenie-${PROJECT_VERSION}-windows-${msi_bits}bit.msi)
set(msi_script ${PROJECT_SOURCE_DIR}/packaging/windows/msi.cmake)
set(icon ${PROJECT_SOURCE_DIR}/resources/icon/hamburger.ico)
add_custom_command(OUTPUT ${msi}
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:umnozhenie> -DICON=${icon} -DVERSION=${PROJECT_VERSION}
          -DARCH=${msi_arch} -DOUTPUT=${msi} -P ${msi_script}
  DEPENDS umnozhenie ${icon} ${msi_script} ${PROJECT_SOURCE_DIR}/packaging/windows/umnozhenie.wxs
  VERBATIM)
add_custom_target(msi DEPENDS ${msi})
