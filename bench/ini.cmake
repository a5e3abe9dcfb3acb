# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# ReadValue and WriteValue on small and large INI files, beside Wine's kernel32.
if(NOT WIN32)
  set(VORLANES_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows CACHE PATH
      "The Windows build whose profile replayer the differential test runs under Wine")
  set(differential ${PROJECT_SOURCE_DIR}/tests/platform/profile/differential)
  vorlanes_bench(ini_bench ${CMAKE_CURRENT_LIST_DIR}/ini_bench.cpp
                 ${PROJECT_SOURCE_DIR}/tests/platform/profile/under_test_posix.cpp
                 ${differential}/profile_calls.cpp ${differential}/replayer.cpp)
  target_compile_definitions(ini_bench PRIVATE
    VORLANES_REPLAYER="${VORLANES_WINDOWS_DIR}/tests/platform/profile/differential/profile_replay.exe"
    VORLANES_WINE_RUN="${PROJECT_SOURCE_DIR}/tools/wine-run.sh"
    VORLANES_BENCH_PREFIX="${CMAKE_BINARY_DIR}/wineprefix-bench")
endif()
