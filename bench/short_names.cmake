# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Resolving a "~1" name in a directory of 100,000 entries, listing kept or read anew.
if(NOT WIN32)
  vorlanes_bench(short_names_bench ${CMAKE_CURRENT_LIST_DIR}/short_names_bench.cpp)
endif()
