# SPDX-License-Identifier: MIT
# The catalogues: the texts the sources mark (N_, Tr, TrFormat) are gathered by xgettext
# into umnozhenie.pot; each language's po/<code>.po is checked by msgfmt and against that
# template, and turned into C++ data (cmake/catalogue.py), so every program carries every
# language and reads no file at run time. A catalogue that lacks a text, leaves one
# untranslated or changes its placeholders stops the build.
find_program(KORVANTA_XGETTEXT xgettext REQUIRED)
find_program(KORVANTA_MSGFMT msgfmt REQUIRED)
find_package(Python3 COMPONENTS Interpreter REQUIRED)

file(GLOB_RECURSE korvanta_text_sources CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
  ${PROJECT_SOURCE_DIR}/calc/*.cpp ${PROJECT_SOURCE_DIR}/calc/*.h
  ${PROJECT_SOURCE_DIR}/ui/*.cpp ${PROJECT_SOURCE_DIR}/ui/*.h)
list(SORT korvanta_text_sources)
list(TRANSFORM korvanta_text_sources PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE korvanta_text_source_paths)

set(korvanta_pot ${PROJECT_BINARY_DIR}/generated/umnozhenie.pot)
set(korvanta_catalogues_cpp ${PROJECT_BINARY_DIR}/generated/catalogues.cpp)
set(korvanta_po_arguments)
set(korvanta_po_files)
set(korvanta_msgfmt_checks)
foreach(code ${KORVANTA_LANGUAGES})
  set(po ${PROJECT_SOURCE_DIR}/po/${code}.po)
  list(APPEND korvanta_po_arguments ${code}=${po})
  list(APPEND korvanta_po_files ${po})
  list(APPEND korvanta_msgfmt_checks COMMAND ${KORVANTA_MSGFMT} --check -o /dev/null ${po})
endforeach()

add_custom_command(
  OUTPUT ${korvanta_catalogues_cpp} ${korvanta_pot}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/catalogue.py --extract ${KORVANTA_XGETTEXT} ${korvanta_pot}
          ${korvanta_text_sources}
  ${korvanta_msgfmt_checks}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/catalogue.py ${korvanta_catalogues_cpp} ${korvanta_pot}
          ${korvanta_po_arguments}
  DEPENDS ${korvanta_text_source_paths} ${korvanta_po_files} ${PROJECT_SOURCE_DIR}/cmake/catalogue.py
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  COMMENT "Checking the catalogues and turning them into data"
  VERBATIM)
