# The about box, and what makes the program an installed desktop program: the
# version record of the Windows executable and the files a Linux install lays out.

vorlanes_ui_test(about_test ${CMAKE_CURRENT_LIST_DIR}/about_test.cpp)
if(TARGET about_test) # not without the GUI
  target_compile_definitions(about_test PRIVATE
    ABOUT_EXPECTED_VERSION="${PROJECT_VERSION}"
    ABOUT_EXPECTED_AUTHOR="${VORLANES_AUTHOR}"
    ABOUT_EXPECTED_EMAIL="${VORLANES_EMAIL}"
    ABOUT_EXPECTED_HOMEPAGE="${VORLANES_HOMEPAGE}")
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
  add_test(NAME about_install_layout
    COMMAND ${CMAKE_COMMAND}
      -DBUILD_DIR=${PROJECT_BINARY_DIR}
      -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/about_install
      -DVALIDATOR=${VORLANES_DESKTOP_VALIDATE}
      -P ${PROJECT_SOURCE_DIR}/resources/checks/install_layout.cmake)
  set_tests_properties(about_install_layout PROPERTIES LABELS resources)
endif()
