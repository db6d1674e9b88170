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
