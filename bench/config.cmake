# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
vorlanes_ui_bench(config_bench ${CMAKE_CURRENT_SOURCE_DIR}/config_bench.cpp)
