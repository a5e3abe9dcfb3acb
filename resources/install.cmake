# Included at the end of the top-level list, once the executable exists.

if(WIN32)
  target_sources(vorlanes PRIVATE ${VORLANES_RC_FILE})
endif()

include(GNUInstallDirs)
install(TARGETS vorlanes RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(UNIX AND NOT APPLE)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/vorlanes.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icon.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME vorlanes.png)
endif()
