# SPDX-License-Identifier: MIT
# Checks that each of the project's own files names its licence at the top, in a line
# "SPDX-License-Identifier: MIT" in the file's own comment syntax: the first line, or the
# second after a "#!" or "<?xml" line. Names every file that does not, and fails.
#   cmake -DSOURCE_DIR=<the project's folder> -P cmake/spdx_check.cmake
# The files: in a git clone, those git tracks or would add (its ignore rules apply); in a
# folder without git, such as the release's source archive unpacked, every file but those
# .gitignore names. The normal build runs it (the target korvanta_spdx_check).
cmake_minimum_required(VERSION 3.25)
if(NOT IS_DIRECTORY "${SOURCE_DIR}")
  message(FATAL_ERROR "spdx_check.cmake: -DSOURCE_DIR=${SOURCE_DIR} is not a folder")
endif()

set(licence MIT)
# Files under another licence, as pairs of a pattern and the licence: the software-centre
# entry is CC0-1.0, as its metadata_license says, so that catalogues may merge it.
set(other_licences "\\.metainfo\\.xml" CC0-1.0)
# Not checked: documents and licence texts, pictures, the fuzz corpora (test data), and
# the Debian changelog and copyright file, whose formats hold no comments. Binary files
# (a NUL byte near the start) are not checked either.
set(not_checked "\\.md$" "(^|/)LICENSE[^/]*$" "^packaging/licences/" "\\.(png|ico|svg|jpg|gif)$" "^fuzz/corpus/"
                "^packaging/debian/" "\\.pot$")

set(files "")
set(from_git FALSE)
if(EXISTS "${SOURCE_DIR}/.git")
  execute_process(COMMAND git -c core.quotePath=false ls-files --cached --others --exclude-standard
                  WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE failed OUTPUT_VARIABLE listed ERROR_QUIET)
  if(failed EQUAL 0)
    string(REPLACE "\n" ";" files "${listed}")
    set(from_git TRUE)
  endif()
endif()
if(NOT from_git)
  # .gitignore's patterns as regular expressions, in the forms this project uses: names
  # with * and ?, anchored at the top by a leading /, folders by a trailing /.
  set(ignored "^\\.git(/|$)")
  file(STRINGS "${SOURCE_DIR}/.gitignore" patterns REGEX "^[^#!]")
  foreach(pattern IN LISTS patterns)
    string(STRIP "${pattern}" pattern)
    set(start "(^|/)")
    if(pattern MATCHES "^/")
      set(start "^")
      string(SUBSTRING "${pattern}" 1 -1 pattern)
    endif()
    set(end "(/|$)")
    if(pattern MATCHES "/$")
      set(end "/")
      string(REGEX REPLACE "/$" "" pattern "${pattern}")
    endif()
    string(REGEX REPLACE "([][.+^$()|\\\\])" "\\\\\\1" pattern "${pattern}")
    string(REPLACE "*" "[^/]*" pattern "${pattern}")
    string(REPLACE "?" "[^/]" pattern "${pattern}")
    list(APPEND ignored "${start}${pattern}${end}")
  endforeach()
  # The top-level folders first, so that build folders are not walked through.
  file(GLOB top LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*" "${SOURCE_DIR}/.*")
  foreach(entry IN LISTS top)
    set(skip FALSE)
    foreach(regex IN LISTS ignored)
      if("${entry}/" MATCHES "${regex}")
        set(skip TRUE)
      endif()
    endforeach()
    if(skip)
      continue()
    elseif(IS_DIRECTORY "${SOURCE_DIR}/${entry}")
      file(GLOB_RECURSE inside LIST_DIRECTORIES false RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/${entry}/*")
      list(APPEND files ${inside})
    else()
      list(APPEND files "${entry}")
    endif()
  endforeach()
  foreach(regex IN LISTS ignored)
    list(FILTER files EXCLUDE REGEX "${regex}")
  endforeach()
endif()
foreach(regex IN LISTS not_checked)
  list(FILTER files EXCLUDE REGEX "${regex}")
endforeach()
list(SORT files)

set(lacking "")
foreach(path IN LISTS files)
  set(file "${SOURCE_DIR}/${path}")
  if(NOT EXISTS "${file}" OR IS_DIRECTORY "${file}") # deleted but not yet committed, or a submodule
    continue()
  endif()
  file(READ "${file}" head LIMIT 512 HEX)
  if(head MATCHES "^(..)*00")
    continue()
  endif()

  set(expected ${licence})
  set(pairs ${other_licences})
  while(pairs)
    list(POP_FRONT pairs pattern other)
    if(path MATCHES "${pattern}")
      set(expected ${other})
    endif()
  endwhile()
  file(READ "${file}" head LIMIT 512)
  string(REGEX MATCH "^([^\n]*)\n?([^\n]*)" lines "${head}")
  set(line "${CMAKE_MATCH_1}")
  set(second "${CMAKE_MATCH_2}")
  set(number 1)
  if(line MATCHES "^(#!|<\\?xml)")
    set(line "${second}")
    set(number 2)
  endif()
  if(NOT line MATCHES "SPDX-License-Identifier: ${expected}([ \r]|$)")
    string(APPEND lacking "  ${path}: line ${number} is not its \"SPDX-License-Identifier: ${expected}\" line\n")
  endif()
endforeach()

if(lacking)
  message(FATAL_ERROR
    "These files of the project do not name their licence at the top:\n${lacking}"
    "Put the line first in each (second after a #! or <?xml line), in the file's comment syntax: "
    "// in C++ and JavaScript; # in shell, CMake, Python, YAML and desktop entries; /* */ in CSS; "
    "<!-- --> in HTML and XML; .\\\" in manual pages.")
endif()
