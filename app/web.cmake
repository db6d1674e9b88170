# SPDX-License-Identifier: MIT
# The web program: build/web/umnozhenie.html, one page with the WebAssembly inside it,
# that works opened from disk as well as from any web server. emcc writes the runtime and
# the module (app/umnozhenie.js and .wasm); the page holds both, the module compressed
# (backends/web/pack_page.py) and unpacked by a decoder of its own (backends/web/inflate.*).
find_package(Python3 COMPONENTS Interpreter REQUIRED)
korvanta_web_shell(${CMAKE_CURRENT_SOURCE_DIR}/web_page.html ${CMAKE_CURRENT_BINARY_DIR}/web_page.html)
add_executable(umnozhenie_program main_web.cpp)
target_link_libraries(umnozhenie_program PRIVATE korvanta_web)
set_target_properties(umnozhenie_program PROPERTIES OUTPUT_NAME umnozhenie SUFFIX .js)
target_link_options(umnozhenie_program PRIVATE
  -sENVIRONMENT=web -sFILESYSTEM=0 -sMALLOC=emmalloc -sTOTAL_STACK=65536 -sINITIAL_MEMORY=1MB
  -sALLOW_MEMORY_GROWTH -sWASM_ASYNC_COMPILATION=0)

set(page ${PROJECT_BINARY_DIR}/umnozhenie.html)
add_custom_command(OUTPUT ${page}
  COMMAND Python3::Interpreter ${KORVANTA_WEB_DIR}/pack_page.py ${CMAKE_CURRENT_BINARY_DIR}/web_page.html
          $<TARGET_FILE:umnozhenie_program> $<TARGET_FILE_DIR:umnozhenie_program>/umnozhenie.wasm
          ${KORVANTA_WEB_DIR}/inflate.js $<TARGET_FILE:korvanta_inflate> ${page}
  DEPENDS umnozhenie_program korvanta_inflate ${CMAKE_CURRENT_BINARY_DIR}/web_page.html
          ${KORVANTA_WEB_DIR}/pack_page.py ${KORVANTA_WEB_DIR}/inflate.js
  COMMENT "Packing the web program into one page"
  VERBATIM)
add_custom_target(umnozhenie ALL DEPENDS ${page})

# The web site, build/web/site/: the same page as index.html, with the manifest, icons and
# service worker that make it an app to install, that opens offline.
korvanta_web_site(umnozhenie_site umnozhenie ${page} ${PROJECT_VERSION} ${PROJECT_BINARY_DIR}/site)
