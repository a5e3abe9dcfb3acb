# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# The version record's two forms of the project version: 0.0.2 gives the fixed
# fields 0,0,0,2 and the text "0.00.0002" (minor on two digits, patch on four).
function(vorlanes_zero_pad out value width)
  string(LENGTH "${value}" length)
  if(length LESS width)
    math(EXPR missing "${width} - ${length}")
    string(REPEAT "0" ${missing} zeros)
    set(value "${zeros}${value}")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
set(_major ${PROJECT_VERSION_MAJOR})
set(_minor ${PROJECT_VERSION_MINOR})
set(_patch ${PROJECT_VERSION_PATCH})
if("${_patch}" STREQUAL "")
  set(_patch 0)
endif()
vorlanes_zero_pad(_minor_text "${_minor}" 2)
vorlanes_zero_pad(_patch_text "${_patch}" 4)
set(VORLANES_RC_VERSION_FIELDS "${_major},${_minor},0,${_patch}")
set(VORLANES_RC_VERSION_TEXT "${_major}.${_minor_text}.${_patch_text}")
# A quote inside a resource string is written twice.
string(REPLACE "\"" "\"\"" VORLANES_RC_AUTHOR "${VORLANES_AUTHOR}")
set(VORLANES_RC_ICON "${CMAKE_CURRENT_LIST_DIR}/icon.ico")

set(VORLANES_RC_FILE ${PROJECT_BINARY_DIR}/resources/vorlanes.rc
    CACHE INTERNAL "The executable's configured version record and icon")
configure_file(${CMAKE_CURRENT_LIST_DIR}/vorlanes.rc.in ${VORLANES_RC_FILE} @ONLY)
