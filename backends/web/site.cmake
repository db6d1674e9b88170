# SPDX-License-Identifier: MIT
# Makes the web site: a folder to put on any static web host as it is, with the program's
# page as index.html, the web app manifest, the app icons and the service worker that
# keeps them all for offline use. Run as
#   cmake -DPAGE=umnozhenie.html -DVERSION=1.00 -DOUTPUT=site -DNODE=node
#         -DCOLOUR_TOOL=korvanta_window_colour.js -DWORKER=service-worker.js -DICON_DIR=resources/icon
#         -DDESKTOP_ENTRY=umnozhenie.desktop -DPROGRAM=umnozhenie -DMANIFEST_NAME=manifest.webmanifest
#         -DWORKER_NAME=service-worker.js
#         -DICONS=hamburger-192.png;hamburger-512.png;hamburger-maskable-512.png -P site.cmake
# The manifest takes the program's name and description from the desktop entry, the
# language from the page and the colours from the window description (COLOUR_TOOL).
cmake_minimum_required(VERSION 3.25)

foreach(input PAGE VERSION OUTPUT NODE COLOUR_TOOL WORKER ICON_DIR DESKTOP_ENTRY PROGRAM MANIFEST_NAME WORKER_NAME
        ICONS)
  if(NOT DEFINED ${input})
    message(FATAL_ERROR "site.cmake: -D${input}=... is missing")
  endif()
endforeach()

execute_process(COMMAND ${NODE} ${COLOUR_TOOL} OUTPUT_VARIABLE colour OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
if(NOT colour MATCHES "^#[0-9a-f]+$")
  message(FATAL_ERROR "site.cmake: the window's colour came out as '${colour}'")
endif()

function(desktop_entry key out)
  file(STRINGS ${DESKTOP_ENTRY} line REGEX "^${key}=" LIMIT_COUNT 1 ENCODING UTF-8)
  string(REGEX REPLACE "^${key}=" "" value "${line}")
  if(value STREQUAL "")
    message(FATAL_ERROR "site.cmake: no ${key} in ${DESKTOP_ENTRY}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
desktop_entry(Name name)
desktop_entry(Comment description)
# On a home screen, under the icon: the name's first word.
string(REGEX REPLACE " .*" "" short_name "${name}")

file(READ ${PAGE} page)
if(NOT page MATCHES "<html lang=\"([^\"]+)\"")
  message(FATAL_ERROR "site.cmake: ${PAGE} names no language")
endif()
set(lang ${CMAKE_MATCH_1})

file(REMOVE_RECURSE ${OUTPUT})
file(MAKE_DIRECTORY ${OUTPUT})
file(COPY_FILE ${PAGE} ${OUTPUT}/index.html)

# The manifest, in UTF-8 as it is written here. Start URL and scope are the folder the
# manifest is in, wherever the site is put.
foreach(key name short_name description lang)
  string(REGEX REPLACE "([\\\"])" "\\\\\\1" ${key} "${${key}}")
endforeach()
set(icons "")
foreach(icon ${ICONS})
  file(COPY_FILE ${ICON_DIR}/${icon} ${OUTPUT}/${icon})
  if(NOT icon MATCHES "-([0-9]+)\\.png$")
    message(FATAL_ERROR "site.cmake: ${icon} does not end in its size")
  endif()
  set(size ${CMAKE_MATCH_1})
  set(purpose any)
  if(icon MATCHES "maskable")
    set(purpose maskable)
  endif()
  if(icons)
    string(APPEND icons ",\n")
  endif()
  string(APPEND icons "    {\"src\": \"${icon}\", \"sizes\": \"${size}x${size}\", \"type\": \"image/png\", "
                      "\"purpose\": \"${purpose}\"}")
endforeach()
string(CONFIGURE [[{
  "name": "@name@",
  "short_name": "@short_name@",
  "description": "@description@",
  "lang": "@lang@",
  "start_url": "./",
  "scope": "./",
  "display": "standalone",
  "theme_color": "@colour@",
  "background_color": "@colour@",
  "icons": [
@icons@
  ]
}
]] manifest @ONLY)
string(JSON ignored ERROR_VARIABLE error TYPE "${manifest}")
if(error)
  message(FATAL_ERROR "site.cmake: the manifest is not JSON: ${error}")
endif()
file(WRITE ${OUTPUT}/${MANIFEST_NAME} "${manifest}")

# The worker: every file with its checksum, and a cache named after the version and a
# checksum of all of them and of the worker itself, so that any change gives a new one.
file(SHA256 ${WORKER} digests)
set(files "{}")
foreach(entry index.html ${MANIFEST_NAME} ${ICONS})
  file(SHA256 ${OUTPUT}/${entry} digest)
  string(JSON files SET "${files}" ${entry} "\"${digest}\"")
  string(APPEND digests " ${entry} ${digest}")
endforeach()
string(SHA256 build "${digests}")
string(SUBSTRING "${build}" 0 12 build)
set(KORVANTA_PROGRAM ${PROGRAM})
set(KORVANTA_VERSION ${VERSION}-${build})
set(KORVANTA_FILES "${files}")
configure_file(${WORKER} ${OUTPUT}/${WORKER_NAME} @ONLY)
