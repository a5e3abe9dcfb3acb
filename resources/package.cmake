# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# The Debian package of the release build: cd build-release && cpack -G DEB.

# What a distribution wants beside the program: the copyright and a changelog.
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${PROJECT_BINARY_DIR}/copyright @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in ${PROJECT_BINARY_DIR}/changelog @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(VORLANES_GZIP)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/changelog.gz
    COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" ${VORLANES_GZIP}
            ${PROJECT_BINARY_DIR}/changelog ${PROJECT_BINARY_DIR}/changelog.gz
    DEPENDS ${PROJECT_BINARY_DIR}/changelog VERBATIM)
  add_custom_target(vorlanes_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_PACKAGE_NAME vorlanes)
set(CPACK_PACKAGE_VENDOR "${VORLANES_AUTHOR}")
set(CPACK_PACKAGE_CONTACT "${VORLANES_AUTHOR} <${VORLANES_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "front end for the Hu-Go! PC Engine emulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Browses drives and directories for PC Engine game images and starts the\n\
Hu-Go! emulator, a Windows program run natively or through Wine, on the\n\
one picked. It also edits the emulator's own settings in its Hu-go!.ini.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Emulators and what goes with them; "games" would ask for /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VORLANES_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The emulator is a Windows program: Wine runs it, but one may have it natively.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS wine)
# Files and folders as root:root with the usual modes, as dpkg expects them.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
