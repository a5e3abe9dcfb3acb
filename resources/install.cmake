# Included at the end of the top-level list, once the executable exists.

if(WIN32)
  target_sources(vorlanes PRIVATE ${VORLANES_RC_FILE})
endif()

include(GNUInstallDirs)
# A sanitizer build is for testing: it is slow, large and aborts on the first
# undefined behaviour. Installing it takes a deliberate VORLANES_INSTALL_SANITIZED=1.
if(VORLANES_SANITIZE)
  install(CODE [[
    if(NOT "$ENV{VORLANES_INSTALL_SANITIZED}" STREQUAL "1")
      message(FATAL_ERROR "This is the sanitizer build, not one to install: "
                          "install build-release/ instead (make install PREFIX=...)")
    endif()
  ]])
endif()
install(TARGETS vorlanes RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(UNIX AND NOT APPLE)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/vorlanes.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icon.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME vorlanes.png)
endif()
