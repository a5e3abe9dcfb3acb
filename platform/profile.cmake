#The private - profile functions : kernel32 on Windows, our own elsewhere.
target_sources(vorlanes_core PRIVATE ${CMAKE_CURRENT_LIST_DIR} /
               profile_${VORLANES_OS}.cpp ${CMAKE_CURRENT_LIST_DIR} /
               ini_text.cpp ${CMAKE_CURRENT_LIST_DIR} / profile_messages.cpp)
