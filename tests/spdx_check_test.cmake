# SPDX-License-Identifier: MIT
# The licence-line check (cmake/spdx_check.cmake) on a small project made here: it must
# name exactly the files without their line, both in a folder without git (as the source
# archive unpacks) and in a git clone, and pass over what is not the project's own.
#   cmake -DCHECK=cmake/spdx_check.cmake -DWORK=<scratch folder> -P spdx_check_test.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")

function(put path text)
  file(WRITE "${WORK}/${path}" "${text}")
endfunction()
put(.gitignore "# SPDX-License-Identifier: MIT\n/build/\n*.swp\n")
put(good.cpp "// SPDX-License-Identifier: MIT\n// What it does.\n")
put(script.sh "#!/bin/sh\n# SPDX-License-Identifier: MIT\n")
put(page.xml "<?xml version=\"1.0\"?>\n<!-- SPDX-License-Identifier: MIT -->\n<page/>\n")
put(app.metainfo.xml.in "<?xml version=\"1.0\"?>\n<!-- SPDX-License-Identifier: CC0-1.0 -->\n")
put(sub/no_line.h "// What it does.\n#pragma once\n")
put(sub/too_late.sh "#!/bin/sh\n# What it does.\n# SPDX-License-Identifier: MIT\n")
put(sub/other_licence.js "// SPDX-License-Identifier: MIT-0\n")
put(wrong_licence.metainfo.xml.in "<?xml version=\"1.0\"?>\n<!-- SPDX-License-Identifier: MIT -->\n")
put(README.md "Not a source file.\n")
put(fuzz/corpus/seed "24 26\n")
put(build/generated.cpp "int x;\n")
put(sub/editor.swp "x\n")
# A binary file (a picture's first bytes), of a kind the check does not know by name;
# CMake's strings hold no NUL byte.
execute_process(COMMAND printf "\\211PNG\\r\\n\\032\\n\\000\\000\\000\\rIHDR" OUTPUT_FILE "${WORK}/data.bin")
set(lacking sub/no_line.h sub/too_late.sh sub/other_licence.js wrong_licence.metainfo.xml.in)

function(expect_lacking what)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK} -P ${CHECK} RESULT_VARIABLE code
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(code EQUAL 0)
    message(FATAL_ERROR "${what}: the check passed, with files lacking the line")
  endif()
  string(REGEX MATCHALL "\n +[^ :\n]+: line [12] " named "${output}")
  list(TRANSFORM named REPLACE "^\n +([^:]+):.*" "\\1")
  list(SORT named)
  set(expected ${lacking} ${ARGN})
  list(SORT expected)
  if(NOT named STREQUAL expected)
    message(FATAL_ERROR "${what}: the check named [${named}], not [${expected}]:\n${output}")
  endif()
endfunction()

expect_lacking("without git")
# In a clone git's own ignore rules count too, and a file not yet added is checked.
find_program(git git REQUIRED)
execute_process(COMMAND ${git} init -q WORKING_DIRECTORY ${WORK} COMMAND_ERROR_IS_FATAL ANY)
file(APPEND "${WORK}/.git/info/exclude" "/scratch.txt\n")
put(scratch.txt "my notes\n")
put(new_file.cpp "int y;\n")
expect_lacking("in a git clone" new_file.cpp)
