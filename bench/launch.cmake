# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
# From Go to the emulator's first instruction, against a bare posix_spawn.
if(NOT WIN32)
  add_executable(first_instruction ${CMAKE_CURRENT_LIST_DIR}/launch/first_instruction.cpp)
  target_compile_options(first_instruction PRIVATE -fno-sanitize=all -fno-exceptions
                         -fno-stack-protector -fno-asynchronous-unwind-tables)
  target_link_options(first_instruction PRIVATE -fno-sanitize=all -static -nostartfiles)
  vorlanes_bench(launch_bench ${CMAKE_CURRENT_LIST_DIR}/launch_bench.cpp)
  target_compile_definitions(launch_bench PRIVATE
    VORLANES_FIRST_INSTRUCTION="$<TARGET_FILE:first_instruction>")
  add_dependencies(launch_bench first_instruction)
endif()
