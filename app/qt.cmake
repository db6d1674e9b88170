# SPDX-License-Identifier: MIT
# The Linux program, its installation (program, desktop entry, software-centre entry, icons,
# manual pages, changelog and copyright) and its .deb.
add_executable(umnozhenie main_qt.cpp)
target_link_libraries(umnozhenie PRIVATE korvanta_qt)

include(GNUInstallDirs)
set(resources ${PROJECT_SOURCE_DIR}/resources)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/umnozhenie)
install(TARGETS umnozhenie RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${resources}/umnozhenie.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${resources}/icon/hamburger.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps
        RENAME umnozhenie.png)
install(FILES ${resources}/icon/hamburger.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME umnozhenie.svg)

# The files that name the version and the release date take them from the project.
execute_process(COMMAND date -u -R -d "${KORVANTA_RELEASE_DATE} 12:00" OUTPUT_VARIABLE KORVANTA_RELEASE_DATE_RFC2822
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(generated ${CMAKE_CURRENT_BINARY_DIR}/generated)
set(metainfo ${generated}/org.example.umnozhenie.metainfo.xml)
configure_file(${resources}/org.example.umnozhenie.metainfo.xml.in ${metainfo} @ONLY)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The copyright file, machine-readable, with the licence texts put in.
korvanta_dep5_text(KORVANTA_DEP5_MIT "${KORVANTA_LICENSE_PERMISSION}")
korvanta_dep5_text(KORVANTA_DEP5_ZPL "${KORVANTA_ZPL_TEXT}")
korvanta_dep5_text(KORVANTA_DEP5_LUCENT "${KORVANTA_LUCENT_TEXT}")
configure_file(${packaging}/debian/copyright.in ${generated}/copyright @ONLY)
install(FILES ${generated}/copyright DESTINATION ${docdir})

# The changelog and the manual pages, compressed as Debian has them: gzip -9n keeps no
# name and no time, so the same text gives the same file.
set(compressed)
function(korvanta_gzip template name destination installed_name)
  configure_file(${template} ${generated}/${name} @ONLY)
  add_custom_command(OUTPUT ${generated}/${name}.gz
                     COMMAND gzip -9nf -k ${generated}/${name}
                     DEPENDS ${generated}/${name} ${template})
  install(FILES ${generated}/${name}.gz DESTINATION ${destination} RENAME ${installed_name}.gz)
  set(compressed ${compressed} ${generated}/${name}.gz PARENT_SCOPE)
endfunction()
korvanta_gzip(${packaging}/debian/changelog.in changelog ${docdir} changelog)
korvanta_gzip(${packaging}/man/umnozhenie.1.in umnozhenie.1 ${CMAKE_INSTALL_MANDIR}/man1 umnozhenie.1)
korvanta_gzip(${packaging}/man/umnozhenie.bg.1.in umnozhenie.bg.1 ${CMAKE_INSTALL_MANDIR}/bg/man1 umnozhenie.1)
add_custom_target(umnozhenie_docs ALL DEPENDS ${compressed})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME umnozhenie)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Умножение чрез деление: multiplication by halving and doubling")
set(CPACK_PACKAGE_DESCRIPTION "A small teaching program with a Bulgarian user interface, or an English one,
that shows how to multiply two whole numbers by halving and doubling. Each
press of Calculate adds a row: the left column doubles the first number, the
right column halves the second, dropping the remainder, until it reaches 1.
The working box adds up the left values of the rows whose right value is odd:
the product.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Umnozhenie developers <umnozhenie@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the program links come from dpkg-shlibdeps, and only from there; by hand
# only what no library names: Qt's platform plugins (without them the window cannot open,
# and Qt only recommends them) and the font that stands in for Times New Roman.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
include(CPack)
