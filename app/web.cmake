# SPDX-License-Identifier: MIT
# The web program: build/web/umnozhenie.html, one page with the WebAssembly inside it,
# that works opened from disk as well as from any web server.
korvanta_web_shell(${CMAKE_CURRENT_SOURCE_DIR}/web_page.html ${CMAKE_CURRENT_BINARY_DIR}/web_page.html)
add_executable(umnozhenie main_web.cpp)
target_link_libraries(umnozhenie PRIVATE korvanta_web)
set_target_properties(umnozhenie PROPERTIES SUFFIX .html RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}
  LINK_DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/web_page.html)
target_link_options(umnozhenie PRIVATE
  "SHELL:--shell-file ${CMAKE_CURRENT_BINARY_DIR}/web_page.html" -sMINIFY_HTML=0 -sSINGLE_FILE
  -sENVIRONMENT=web -sFILESYSTEM=0 -sMALLOC=emmalloc -sTOTAL_STACK=65536 -sINITIAL_MEMORY=1MB
  -sALLOW_MEMORY_GROWTH -sWASM_ASYNC_COMPILATION=0)

# The web site, build/web/site/: the same page as index.html, with the manifest, icons and
# service worker that make it an app to install, that opens offline.
korvanta_web_site(umnozhenie_site umnozhenie ${PROJECT_BINARY_DIR}/umnozhenie.html ${PROJECT_VERSION}
  ${PROJECT_BINARY_DIR}/site)
