# SPDX-License-Identifier: MIT
# The program's licence as LICENSE states it, for every file made from the source that
# names it: KORVANTA_LICENSE (its SPDX identifier), KORVANTA_COPYRIGHT (years and holders),
# KORVANTA_LICENSE_TEXT (the whole of LICENSE) and KORVANTA_LICENSE_PERMISSION (its text
# after the copyright line).
file(READ ${PROJECT_SOURCE_DIR}/LICENSE KORVANTA_LICENSE_TEXT)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
if(NOT KORVANTA_LICENSE_TEXT MATCHES "^MIT License\n\nCopyright \\(c\\) ([^\n]+)\n\n(.+)\n$")
  message(FATAL_ERROR "LICENSE is not the MIT licence with one copyright line")
endif()
set(KORVANTA_LICENSE MIT)
set(KORVANTA_COPYRIGHT "${CMAKE_MATCH_1}")
set(KORVANTA_LICENSE_PERMISSION "${CMAKE_MATCH_2}")
# The licences of parts of the runtime libraries linked into the Windows programs that want
# their text handed out with the programs: KORVANTA_ZPL_TEXT and KORVANTA_LUCENT_TEXT.
set(licences ${PROJECT_SOURCE_DIR}/packaging/licences)
file(READ ${licences}/ZPL-2.1.txt KORVANTA_ZPL_TEXT)
file(READ ${licences}/Lucent.txt KORVANTA_LUCENT_TEXT)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${licences}/ZPL-2.1.txt ${licences}/Lucent.txt)

# korvanta_dep5_text(<variable> <text>): the text as the body of a License paragraph of a
# Debian copyright file: every line indented by one space, an empty line written " .".
function(korvanta_dep5_text variable text)
  string(STRIP "${text}" text)
  string(REGEX REPLACE "\n\n" "\n.\n" text "${text}")
  string(REGEX REPLACE "\n\n" "\n.\n" text "${text}") # the second of two empty lines in a row
  string(REPLACE "\n" "\n " text " ${text}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()
