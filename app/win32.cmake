# SPDX-License-Identifier: MIT
# The Windows program: umnozhenie.exe, a GUI program with its icon, version and manifest.
enable_language(RC)

add_executable(umnozhenie WIN32 main_win32.cpp win32.rc)
target_link_libraries(umnozhenie PRIVATE korvanta_win32 shell32)
# wWinMain, the UTF-16 entry point; the release program is stripped.
target_link_options(umnozhenie PRIVATE -municode $<$<CONFIG:Release,MinSizeRel>:-s>)

# LICENSE.txt, beside the program wherever it is handed out and inside it as well: the
# program's licence and the notices of the runtime libraries linked into it. Windows line
# ends and ASCII, so that any Notepad shows it as it is.
set(licence ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
set(template ${PROJECT_SOURCE_DIR}/packaging/windows/LICENSE.txt.in)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${template})
file(READ ${template} text)
string(CONFIGURE "${text}" text @ONLY)
string(REGEX REPLACE "\n+$" "\n" text "${text}")
if(text MATCHES "[^\n -~]")
  message(FATAL_ERROR "${template}, or a text put in it, holds a character other than printable ASCII")
endif()
# The texts are put in first, so that their lines end in CR LF too (configure_file would
# leave theirs as they are).
file(CONFIGURE OUTPUT ${licence} CONTENT "${text}" @ONLY NEWLINE_STYLE CRLF)

# The resource compiler finds the icon, the manifest, the licence and the shared identifiers.
target_include_directories(umnozhenie PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/resources/icon
                                              ${PROJECT_SOURCE_DIR}/backends/win32 ${CMAKE_CURRENT_BINARY_DIR})
set_source_files_properties(win32.rc PROPERTIES OBJECT_DEPENDS
  "${PROJECT_SOURCE_DIR}/resources/icon/hamburger.ico;${PROJECT_SOURCE_DIR}/backends/win32/program.manifest;${PROJECT_SOURCE_DIR}/backends/win32/resources.h;${licence}")

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
  COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:umnozhenie> -DICON=${icon} -DLICENSE=${licence}
          -DVERSION=${PROJECT_VERSION} -DARCH=${msi_arch} -DOUTPUT=${msi} -P ${msi_script}
  DEPENDS umnozhenie ${icon} ${licence} ${msi_script} ${PROJECT_SOURCE_DIR}/packaging/windows/umnozhenie.wxs
  VERBATIM)
add_custom_target(msi DEPENDS ${msi})
