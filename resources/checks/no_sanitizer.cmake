# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Installs a build into a fresh prefix and checks that the installed program
# carries no sanitizer: neither a runtime library it links nor one built in.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -DREADELF=... -P no_sanitizer.cmake

if(NOT EXISTS "${BUILD_DIR}/CMakeCache.txt")
  message("SKIPPED: no build in ${BUILD_DIR} (make release builds it)")
  return()
endif()
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Install of ${BUILD_DIR} into ${PREFIX} failed:\n${output}")
endif()

set(program "${PREFIX}/bin/vorlanes")
execute_process(COMMAND "${READELF}" --wide --dynamic --syms "${program}"
                RESULT_VARIABLE result OUTPUT_VARIABLE elf ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "readelf cannot read ${program}: ${error}")
endif()
string(REGEX MATCHALL "\\[lib(asan|ubsan|tsan|lsan|hwasan|clang_rt)[^]]*\\]" libraries "${elf}")
# clang links its runtimes statically: their entry points give them away.
string(REGEX MATCHALL "__(asan|ubsan|tsan|lsan|hwasan)_[a-z_]+" symbols "${elf}")
list(REMOVE_DUPLICATES symbols)
list(LENGTH symbols symbol_count)
file(REMOVE_RECURSE "${PREFIX}")
if(libraries OR symbol_count GREATER 0)
  list(SUBLIST symbols 0 3 some)
  message(FATAL_ERROR "The program installed from ${BUILD_DIR} carries a sanitizer:"
                      " libraries ${libraries}, ${symbol_count} sanitizer symbols such as ${some}")
endif()
message(STATUS "The program installed from ${BUILD_DIR} carries no sanitizer")
