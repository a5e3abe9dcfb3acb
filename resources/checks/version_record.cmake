# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Compiles the configured resource script with the MinGW resource compiler and
# reads the version record back out of the compiled resources.
#
#   cmake -DWINDRES=... -DPREPROCESSOR=... -DRC=... -DRES=... -DAUTHOR=...
#         -DMAJOR=... -DMINOR=... -DPATCH=... -P version_record.cmake
#
# Prints "SKIPPED:" when there is no resource compiler.

if(NOT WINDRES OR NOT EXISTS "${WINDRES}")
  message("SKIPPED: no MinGW resource compiler (x86_64-w64-mingw32-windres)")
  return()
endif()

execute_process(
  COMMAND "${WINDRES}" "--preprocessor=${PREPROCESSOR}" --preprocessor-arg=-E
          --preprocessor-arg=-xc --preprocessor-arg=-DRC_INVOKED -O res -i "${RC}" -o "${RES}"
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The resource script does not compile:\n${errors}")
endif()
file(READ "${RES}" res HEX)

set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()

# Resource strings are UTF-16LE; every text here is ASCII.
function(utf16 out text)
  string(HEX "${text}" hex)
  string(REGEX REPLACE "(..)" "\\100" hex "${hex}")
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

function(le_dword out hex)
  string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" hex "${hex}")
  math(EXPR value "0x${hex}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

# The value of a string entry: key, terminator, padding to four bytes, value.
function(string_value out key)
  utf16(key16 "${key}")
  string(REGEX MATCH "${key16}0000(0000)?(([1-9a-f][0-9a-f]|0[1-9a-f])00)*0000" entry "${res}")
  set(text "")
  if(entry)
    string(LENGTH "${key16}0000" skip)
    string(SUBSTRING "${entry}" ${skip} -1 value)
    string(REGEX REPLACE "^(0000)?(.*)0000$" "\\2" value "${value}")
    string(REGEX MATCHALL "...." chars "${value}")
    foreach(char IN LISTS chars)
      string(SUBSTRING "${char}" 0 2 byte)
      math(EXPR code "0x${byte}")
      string(ASCII ${code} c)
      string(APPEND text "${c}")
    endforeach()
  else()
    set(text "<missing>")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(expected_strings
  "ProductName=House Vorlanes' Frontend"
  "InternalName=vorlanes"
  "OriginalFilename=vorlanes.exe"
  "CompanyName=${AUTHOR}")
foreach(pair IN LISTS expected_strings)
  string(FIND "${pair}" "=" at)
  string(SUBSTRING "${pair}" 0 ${at} key)
  math(EXPR at "${at} + 1")
  string(SUBSTRING "${pair}" ${at} -1 expected)
  string_value(actual "${key}")
  if(NOT actual STREQUAL expected)
    fail("${key}: \"${actual}\", expected \"${expected}\"")
  endif()
endforeach()

string_value(copyright "LegalCopyright")
if(NOT copyright MATCHES "^Copyright .+")
  fail("LegalCopyright: \"${copyright}\"")
endif()

# Both version texts: major, minor on two digits, patch on four.
foreach(key FileVersion ProductVersion)
  string_value(text "${key}")
  if(NOT text MATCHES "^([0-9]+)\\.([0-9][0-9])\\.([0-9][0-9][0-9][0-9])$")
    fail("${key}: \"${text}\" is not of the form 0.00.0000")
  else()
    set(digits "${CMAKE_MATCH_1};${CMAKE_MATCH_2};${CMAKE_MATCH_3}")
    foreach(part IN LISTS digits)
      string(REGEX REPLACE "^0+(.)" "\\1" number "${part}")
      list(APPEND parts ${number})
    endforeach()
    if(NOT parts STREQUAL "${MAJOR};${MINOR};${PATCH}")
      fail("${key}: \"${text}\" does not say version ${MAJOR}.${MINOR}.${PATCH}")
    endif()
    set(parts "")
  endif()
endforeach()

# Fixed fields after the VS_FIXEDFILEINFO signature: file and product version,
# each as major.minor in one double word and 0.patch in the next.
string(REGEX MATCH "bd04effe00000100(................................)" fixed "${res}")
if(NOT fixed)
  fail("no fixed version fields")
else()
  math(EXPR high "${MAJOR} * 65536 + ${MINOR}")
  set(low ${PATCH})
  foreach(offset 0 16)
    string(SUBSTRING "${CMAKE_MATCH_1}" ${offset} 8 ms)
    math(EXPR offset "${offset} + 8")
    string(SUBSTRING "${CMAKE_MATCH_1}" ${offset} 8 ls)
    le_dword(ms ${ms})
    le_dword(ls ${ls})
    if(NOT ms EQUAL high OR NOT ls EQUAL low)
      fail("fixed version fields ${ms}/${ls}, expected ${high}/${low}")
    endif()
  endforeach()
endif()

# French with the Unicode code page: the string block, the translation, and the
# language of the record itself.
utf16(block "040C04B0")
if(NOT res MATCHES "${block}0000")
  fail("no string block 040C04B0")
endif()
utf16(translation "Translation")
if(NOT res MATCHES "${translation}0000(0000)?0c04b004")
  fail("translation is not 0x040C, 0x04B0")
endif()
if(NOT res MATCHES "ffff1000ffff010000000000....0c04")
  fail("the version record is not in French (040C)")
endif()

# The icon: a group, and a 48 by 48 image of 8 bits per pixel.
if(NOT res MATCHES "ffff0e00ffff0100")
  fail("no icon group 1")
endif()
if(NOT res MATCHES "28000000300000006000000001000800")
  fail("no 48 by 48, 256-colour icon image")
endif()

if(failures)
  message(FATAL_ERROR "Version record of ${RC}:\n${failures}")
endif()
message(STATUS "Version record of ${RC} holds every field")
