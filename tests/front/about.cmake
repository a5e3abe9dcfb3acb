# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# The about box, and what makes the program an installed desktop program: the
# version record of the Windows executable and the files a Linux install lays out.

vorlanes_ui_test(about_test ${CMAKE_CURRENT_LIST_DIR}/about_test.cpp)
if(TARGET about_test) # not without the GUI
  target_compile_definitions(about_test PRIVATE
    ABOUT_EXPECTED_VERSION="${PROJECT_VERSION}"
    ABOUT_EXPECTED_AUTHOR="${VORLANES_AUTHOR}"
    ABOUT_EXPECTED_EMAIL="${VORLANES_EMAIL}"
    ABOUT_EXPECTED_HOMEPAGE="${VORLANES_HOMEPAGE}"
    ABOUT_ICON_PNG="${PROJECT_SOURCE_DIR}/resources/icon.png")
endif()

find_program(VORLANES_WINDRES x86_64-w64-mingw32-windres)
add_test(NAME about_version_record
  COMMAND ${CMAKE_COMMAND}
    -DWINDRES=${VORLANES_WINDRES}
    -DPREPROCESSOR=${CMAKE_CXX_COMPILER}
    -DRC=${VORLANES_RC_FILE}
    -DRES=${CMAKE_CURRENT_BINARY_DIR}/about_vorlanes.res
    "-DAUTHOR=${VORLANES_AUTHOR}"
    -DMAJOR=${PROJECT_VERSION_MAJOR}
    -DMINOR=${PROJECT_VERSION_MINOR}
    -DPATCH=${PROJECT_VERSION_PATCH}
    -P ${PROJECT_SOURCE_DIR}/resources/checks/version_record.cmake)
set_tests_properties(about_version_record PROPERTIES
  LABELS resources SKIP_REGULAR_EXPRESSION "SKIPPED:")

if(UNIX AND NOT APPLE)
  find_program(VORLANES_DESKTOP_VALIDATE desktop-file-validate)
  if(NOT VORLANES_DESKTOP_VALIDATE)
    set(VORLANES_DESKTOP_VALIDATE "")
  endif()
  find_program(VORLANES_APPSTREAMCLI appstreamcli)
  if(NOT VORLANES_APPSTREAMCLI)
    set(VORLANES_APPSTREAMCLI "")
  endif()
  add_test(NAME about_install_layout
    COMMAND ${CMAKE_COMMAND}
      -DBUILD_DIR=${PROJECT_BINARY_DIR}
      -DAPPSTREAM=${VORLANES_APPSTREAMCLI}
      -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/about_install
      -DVALIDATOR=${VORLANES_DESKTOP_VALIDATE}
      -P ${PROJECT_SOURCE_DIR}/resources/checks/install_layout.cmake)
  set_tests_properties(about_install_layout PROPERTIES LABELS resources)
endif()

# What people install must be the optimised build without sanitizers. A
# sanitizer build checks the release build beside it instead of itself.
if(UNIX AND NOT APPLE)
  if(VORLANES_SANITIZE)
    set(VORLANES_RELEASE_DIR "${PROJECT_SOURCE_DIR}/build-release" CACHE PATH
        "Release build whose install the tests check")
    set(_installed_build "${VORLANES_RELEASE_DIR}")
    # ...and refuses to be installed itself.
    add_test(NAME about_install_refuses_sanitizer_build
      COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR}
              --prefix ${CMAKE_CURRENT_BINARY_DIR}/about_install_refused)
    set_tests_properties(about_install_refuses_sanitizer_build PROPERTIES
      LABELS resources PASS_REGULAR_EXPRESSION "This is the sanitizer build")
  else()
    set(_installed_build "${PROJECT_BINARY_DIR}")
  endif()
  find_program(VORLANES_READELF readelf REQUIRED)
  add_test(NAME about_install_no_sanitizer
    COMMAND ${CMAKE_COMMAND}
      -DBUILD_DIR=${_installed_build}
      -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/about_install_release
      -DREADELF=${VORLANES_READELF}
      -P ${PROJECT_SOURCE_DIR}/resources/checks/no_sanitizer.cmake)
  set_tests_properties(about_install_no_sanitizer PROPERTIES
    LABELS resources SKIP_REGULAR_EXPRESSION "SKIPPED:")
endif()
