# The Linux program, its installation (program, desktop entry, icon) and its .deb.
add_executable(umnozhenie main_qt.cpp)
target_link_libraries(umnozhenie PRIVATE korvanta_qt)

include(GNUInstallDirs)
set(resources ${PROJECT_SOURCE_DIR}/resources)
install(TARGETS umnozhenie RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${resources}/umnozhenie.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${resources}/icon/hamburger.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME umnozhenie.png)
install(FILES ${resources}/icon/hamburger.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME umnozhenie.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME umnozhenie)
set(CPACK_PACKAGE_VERSION 1.00)
set(CPACK_PACKAGE_VENDOR "example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Умножение чрез деление: multiplication by halving and doubling")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Umnozhenie developers <umnozhenie@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libstdc++6 (>= 12), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), fonts-liberation2")
include(CPack)
