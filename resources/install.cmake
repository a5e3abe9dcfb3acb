# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 House Vorlanes
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
  # The theme icons; the windows keep their own 48 by 48, 256-colour icon.
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${size}x${size}/vorlanes.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/vorlanes.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  configure_file(${CMAKE_CURRENT_LIST_DIR}/vorlanes.metainfo.xml.in
                 ${PROJECT_BINARY_DIR}/vorlanes.metainfo.xml @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/vorlanes.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # Manual pages go compressed, as distributions ship them.
  find_program(VORLANES_GZIP gzip)
  if(VORLANES_GZIP)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/vorlanes.6.gz
      COMMAND sh -c "\"$0\" -9nc \"$1\" > \"$2\"" ${VORLANES_GZIP}
              ${CMAKE_CURRENT_LIST_DIR}/vorlanes.6 ${PROJECT_BINARY_DIR}/vorlanes.6.gz
      DEPENDS ${CMAKE_CURRENT_LIST_DIR}/vorlanes.6 VERBATIM)
    add_custom_target(vorlanes_manual ALL DEPENDS ${PROJECT_BINARY_DIR}/vorlanes.6.gz)
    install(FILES ${PROJECT_BINARY_DIR}/vorlanes.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  else()
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/vorlanes.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  endif()
endif()
