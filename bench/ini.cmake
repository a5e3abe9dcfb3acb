# ReadValue and WriteValue on small and large INI files.
if(NOT WIN32)
  vorlanes_bench(ini_bench ${CMAKE_CURRENT_LIST_DIR}/ini_bench.cpp)
endif()
