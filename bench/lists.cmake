vorlanes_ui_bench(file_list_bench ${CMAKE_CURRENT_SOURCE_DIR}/file_list_bench.cpp)
