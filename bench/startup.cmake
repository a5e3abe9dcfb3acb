# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# Start-up to first paint, the program against a bare Qt window.
add_library(first_paint_probe MODULE ${CMAKE_CURRENT_SOURCE_DIR}/startup/first_paint_probe.cpp)
target_link_libraries(first_paint_probe PRIVATE Qt6::Widgets)
add_executable(bare_window ${CMAKE_CURRENT_SOURCE_DIR}/startup/bare_window.cpp)
target_link_libraries(bare_window PRIVATE Qt6::Widgets)

add_executable(startup_bench ${CMAKE_CURRENT_SOURCE_DIR}/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE benchmark::benchmark)
target_include_directories(startup_bench PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(startup_bench PRIVATE
  VORLANES_PROGRAM="$<TARGET_FILE:vorlanes>"
  VORLANES_BARE_WINDOW="$<TARGET_FILE:bare_window>"
  VORLANES_FIRST_PAINT_PROBE="$<TARGET_FILE:first_paint_probe>")
add_dependencies(startup_bench vorlanes bare_window first_paint_probe)
