# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Installs the build into a fresh prefix and checks what a desktop finds there.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -DVALIDATOR=... -DAPPSTREAM=... -P install_layout.cmake

file(REMOVE_RECURSE "${PREFIX}")
# The layout is the same in every build, the sanitizer build included.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env VORLANES_INSTALL_SANITIZED=1
                        "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Install into ${PREFIX} failed:\n${output}")
endif()

set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()

set(program "${PREFIX}/bin/vorlanes")
set(entry "${PREFIX}/share/applications/vorlanes.desktop")
set(icons "${PREFIX}/share/icons/hicolor")
set(metainfo "${PREFIX}/share/metainfo/vorlanes.metainfo.xml")
set(manual "${PREFIX}/share/man/man6/vorlanes.6.gz")
foreach(file IN ITEMS "${program}" "${entry}" "${icons}/scalable/apps/vorlanes.svg" "${metainfo}" "${manual}")
  if(NOT EXISTS "${file}")
    fail("missing ${file}")
  endif()
endforeach()
if(EXISTS "${program}")
  execute_process(COMMAND test -x "${program}" RESULT_VARIABLE not_executable)
  if(not_executable)
    fail("${program} is not executable")
  endif()
endif()

if(EXISTS "${entry}")
  file(READ "${entry}" text)
  set(text "\n${text}\n")
  foreach(line "Type=Application" "Name=House Vorlanes' Frontend" "Exec=vorlanes" "Icon=vorlanes")
    if(NOT text MATCHES "\n${line}\n")
      fail("desktop entry lacks \"${line}\"")
    endif()
  endforeach()
  # Categories hold ";" which a CMake list would split: look for each one.
  string(REGEX MATCH "\nCategories=([^\n]*)" categories "${text}")
  set(categories "${CMAKE_MATCH_1}")
  foreach(category Game Emulator)
    if(NOT categories MATCHES "(^|\\;)${category}\\;")
      fail("desktop entry is not in the category ${category}")
    endif()
  endforeach()
  if(VALIDATOR)
    execute_process(COMMAND "${VALIDATOR}" "${entry}" RESULT_VARIABLE result
                    OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(NOT result EQUAL 0 OR report MATCHES "error")
      fail("desktop-file-validate rejects the entry:\n${report}")
    endif()
  else()
    message(STATUS "desktop-file-validate not found: the entry is not validated")
  endif()
endif()

# Each theme directory promises a size: check the PNG header says so.
foreach(size 16 24 32 48 64 128 256)
  set(icon "${icons}/${size}x${size}/apps/vorlanes.png")
  if(NOT EXISTS "${icon}")
    fail("missing ${icon}")
    continue()
  endif()
  file(READ "${icon}" header LIMIT 24 HEX)
  math(EXPR hex "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(REPLACE "0x" "" hex "${hex}")
  string(LENGTH "${hex}" length)
  math(EXPR missing "8 - ${length}")
  string(REPEAT "0" ${missing} zeros)
  set(side "${zeros}${hex}")
  if(NOT header MATCHES "^89504e470d0a1a0a0000000d49484452${side}${side}$")
    fail("${icon} is not a ${size} by ${size} PNG")
  endif()
endforeach()

# The software-centre view of the install: metainfo, its launchable desktop
# entry and the icons, as appstreamcli finds them under the prefix.
if(APPSTREAM AND EXISTS "${metainfo}")
  # The id "vorlanes" is the program's name everywhere; a reverse domain name
  # would only be recommended, not required.
  execute_process(COMMAND "${APPSTREAM}" validate-tree --no-net --no-color
                          --override=cid-desktopapp-is-not-rdns=info "${PREFIX}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
  if(NOT result EQUAL 0)
    fail("appstreamcli rejects the install:\n${report}")
  endif()
elseif(NOT APPSTREAM)
  message(STATUS "appstreamcli not found: the metainfo is not validated")
endif()

if(failures)
  message(FATAL_ERROR "Install layout under ${PREFIX}:\n${failures}")
endif()
message(STATUS "Install layout under ${PREFIX} is complete")
