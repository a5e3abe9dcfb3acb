# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
vorlanes_ui_bench(file_list_bench ${CMAKE_CURRENT_SOURCE_DIR}/file_list_bench.cpp)
vorlanes_ui_bench(list_fill_bench ${CMAKE_CURRENT_SOURCE_DIR}/list_fill_bench.cpp)
