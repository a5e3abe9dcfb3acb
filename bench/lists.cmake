# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
vorlanes_ui_bench(file_list_bench ${CMAKE_CURRENT_SOURCE_DIR}/file_list_bench.cpp)
vorlanes_ui_bench(list_fill_bench ${CMAKE_CURRENT_SOURCE_DIR}/list_fill_bench.cpp)
# The first fill after the start, each in a process of its own.
add_executable(fresh_fill ${CMAKE_CURRENT_SOURCE_DIR}/list_fill/fresh_fill.cpp)
target_link_libraries(fresh_fill PRIVATE vorlanes_ui)
target_compile_definitions(list_fill_bench PRIVATE VORLANES_FRESH_FILL="$<TARGET_FILE:fresh_fill>")
add_dependencies(list_fill_bench fresh_fill)
