vorlanes_ui_bench(config_bench ${CMAKE_CURRENT_SOURCE_DIR}/config_bench.cpp)
