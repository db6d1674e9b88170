# SPDX-License-Identifier: MIT
# Builds the program's Windows Installer package with wixl, run as a script:
#   cmake -DPROGRAM=umnozhenie.exe -DICON=hamburger.ico -DLICENSE=LICENSE.txt -DVERSION=1.00
#         -DARCH=x86|x64 -DOUTPUT=umnozhenie.msi -P packaging/windows/msi.cmake
# Every identifier is fixed: the upgrade code for good, the product and package codes by
# version and width. With SOURCE_DATE_EPOCH set, the package holds that time instead of
# the present one, so the same program file gives the same package.
cmake_minimum_required(VERSION 3.25)
foreach(variable PROGRAM ICON LICENSE VERSION ARCH OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "msi.cmake: -D${variable}= is missing")
  endif()
endforeach()
if(ARCH STREQUAL "x86")
  set(template "Intel;1026")
elseif(ARCH STREQUAL "x64")
  set(template "x64;1026")
else()
  message(FATAL_ERROR "msi.cmake: ARCH is x86 or x64, not ${ARCH}")
endif()
# A Windows Installer version has three numbers: "1.00" is 1.0.0.
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "msi.cmake: VERSION ${VERSION} is not MAJOR.MINOR")
endif()
math(EXPR minor "${CMAKE_MATCH_2}")
set(msi_version "${CMAKE_MATCH_1}.${minor}.0")
# Versions below this one (and so also this one, of either width) are replaced.
set(upgrade_below "${CMAKE_MATCH_1}.${minor}.1")

# Never change the upgrade code: it is how Windows knows a newer package replaces this one.
set(upgrade_code "5C2D8A14-7B3E-4F61-9A0D-2E8B6C4F1A37")
set(namespace "0E6F3B52-91C4-4D7A-8B25-C3A1F07E9D64")
string(UUID product_code NAMESPACE ${namespace} NAME "umnozhenie ${VERSION} ${ARCH} product" TYPE SHA1 UPPER)
string(UUID package_code NAMESPACE ${namespace} NAME "umnozhenie ${VERSION} ${ARCH} package" TYPE SHA1 UPPER)
# Two components, the program file and its licence, each the same in every version of a width.
string(UUID component_guid NAMESPACE ${namespace} NAME "umnozhenie ${ARCH} program file" TYPE SHA1 UPPER)
string(UUID licence_guid NAMESPACE ${namespace} NAME "umnozhenie ${ARCH} licence file" TYPE SHA1 UPPER)

get_filename_component(output ${OUTPUT} ABSOLUTE)
set(work ${output}.work)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(COPY_FILE ${PROGRAM} ${work}/umnozhenie.exe)
file(COPY_FILE ${ICON} ${work}/umnozhenie.ico)
file(COPY_FILE ${LICENSE} ${work}/LICENSE.txt)
# wixl writes table strings in the code page it is told (else Cyrillic ones are dropped),
# and the database needs that code page set as well.
file(WRITE ${work}/_ForceCodepage.idt "\r\n\r\n1251\t_ForceCodepage\r\n")
set(run ${CMAKE_COMMAND} -E env WINDOWS_LANGUAGE=bg TZ=UTC)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  # The cabinet keeps the files' times, the summary the time it was written.
  execute_process(COMMAND touch -d @$ENV{SOURCE_DATE_EPOCH} ${work}/umnozhenie.exe ${work}/umnozhenie.ico
                          ${work}/LICENSE.txt COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND date -u -d @$ENV{SOURCE_DATE_EPOCH} "+%Y-%m-%d %H:%M:%S" OUTPUT_VARIABLE time
                  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  # -f: the clock stands still at that time; without it, it runs on from there, and a
  # package written across the turn of a second would hold another time.
  list(APPEND run faketime -f ${time})
endif()

execute_process(
  COMMAND ${run} wixl -a ${ARCH} -D Arch=${ARCH} -D Version=${msi_version} -D ProductCode=${product_code}
          -D UpgradeCode=${upgrade_code} -D UpgradeBelow=${upgrade_below} -D ComponentGuid=${component_guid}
          -D LicenceGuid=${licence_guid}
          -o package.msi ${CMAKE_CURRENT_LIST_DIR}/umnozhenie.wxs
  WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)
execute_process(
  COMMAND ${run} msibuild package.msi -i _ForceCodepage.idt
          -s "Umnozhenie ${VERSION} (${ARCH})" example.org "${template}" "{${package_code}}"
  WORKING_DIRECTORY ${work} COMMAND_ERROR_IS_FATAL ANY)

# The names that Windows shows must have survived the code page.
set(name "Умножение чрез деление")
foreach(table Property Shortcut)
  execute_process(COMMAND msiinfo export ${work}/package.msi ${table} OUTPUT_VARIABLE ${table}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
if(NOT Property MATCHES "\nProductName\t${name}\r?\n" OR NOT Shortcut MATCHES "\t${name}\t")
  message(FATAL_ERROR "msi.cmake: the package lost its Bulgarian product or shortcut name")
endif()
file(RENAME ${work}/package.msi ${output})
file(REMOVE_RECURSE ${work})
