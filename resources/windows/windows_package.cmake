# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# What a Windows user downloads: a portable zip (the program, the licence, a
# short read-me) and a per-user installer made with NSIS, both named with the
# version. Target windows_package; built with the program when zip and makensis
# are at hand.
find_program(VORLANES_MAKENSIS makensis)
find_program(VORLANES_ZIP zip)
find_program(VORLANES_STRIP NAMES x86_64-w64-mingw32-strip ${CMAKE_STRIP})
if(NOT VORLANES_MAKENSIS OR NOT VORLANES_ZIP OR NOT VORLANES_STRIP)
  message(STATUS "No makensis, zip or strip: the Windows packages are not built")
  return()
endif()

set(stage ${CMAKE_BINARY_DIR}/package/vorlanes-${PROJECT_VERSION})
set(VORLANES_ZIP_FILE ${CMAKE_BINARY_DIR}/vorlanes-${PROJECT_VERSION}-win64.zip
    CACHE INTERNAL "The portable zip")
set(VORLANES_INSTALLER ${CMAKE_BINARY_DIR}/vorlanes-${PROJECT_VERSION}-setup.exe
    CACHE INTERNAL "The installer")
set(VERSION ${PROJECT_VERSION})
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt ${CMAKE_BINARY_DIR}/package/README.txt @ONLY
               NEWLINE_STYLE CRLF)

add_custom_command(OUTPUT ${VORLANES_ZIP_FILE} ${VORLANES_INSTALLER}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${VORLANES_STRIP} -o ${stage}/vorlanes.exe $<TARGET_FILE:vorlanes>
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/package/README.txt ${stage}/README.txt
  # The licence with Windows line ends, readable in Notepad.
  COMMAND sed -e "s/$/\\r/" ${PROJECT_SOURCE_DIR}/LICENSE > ${stage}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VORLANES_ZIP_FILE}
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/package
          ${VORLANES_ZIP} -q -X -r ${VORLANES_ZIP_FILE} vorlanes-${PROJECT_VERSION}
  COMMAND ${VORLANES_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSOURCE=${stage}
          -DICON=${CMAKE_CURRENT_LIST_DIR}/../icon.ico -DOUTFILE=${VORLANES_INSTALLER}
          ${CMAKE_CURRENT_LIST_DIR}/installer.nsi
  DEPENDS vorlanes ${CMAKE_CURRENT_LIST_DIR}/installer.nsi
          ${CMAKE_CURRENT_LIST_DIR}/README.txt ${PROJECT_SOURCE_DIR}/LICENSE
  VERBATIM)
add_custom_target(windows_package ALL DEPENDS ${VORLANES_ZIP_FILE} ${VORLANES_INSTALLER})
