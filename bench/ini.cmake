# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# ReadValue and WriteValue on small and large INI files.
if(NOT WIN32)
  vorlanes_bench(ini_bench ${CMAKE_CURRENT_LIST_DIR}/ini_bench.cpp
                 ${PROJECT_SOURCE_DIR}/tests/platform/profile/under_test_posix.cpp)
endif()
