# Installs the build into a fresh prefix and checks what a desktop finds there.
#
#   cmake -DBUILD_DIR=... -DPREFIX=... -DVALIDATOR=... -P install_layout.cmake

file(REMOVE_RECURSE "${PREFIX}")
# The layout is the same in every build, the sanitizer build included.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env VORLANES_INSTALL_SANITIZED=1
                        "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Install into ${PREFIX} failed:\n${output}")
endif()

set(failures "")
macro(fail text)
  string(APPEND failures "  ${text}\n")
endmacro()

set(program "${PREFIX}/bin/vorlanes")
set(entry "${PREFIX}/share/applications/vorlanes.desktop")
set(icon "${PREFIX}/share/icons/hicolor/48x48/apps/vorlanes.png")
foreach(file IN ITEMS "${program}" "${entry}" "${icon}")
  if(NOT EXISTS "${file}")
    fail("missing ${file}")
  endif()
endforeach()
if(EXISTS "${program}")
  execute_process(COMMAND test -x "${program}" RESULT_VARIABLE not_executable)
  if(not_executable)
    fail("${program} is not executable")
  endif()
endif()

if(EXISTS "${entry}")
  file(READ "${entry}" text)
  set(text "\n${text}\n")
  foreach(line "Type=Application" "Name=House Vorlanes' Frontend" "Exec=vorlanes" "Icon=vorlanes")
    if(NOT text MATCHES "\n${line}\n")
      fail("desktop entry lacks \"${line}\"")
    endif()
  endforeach()
  # Categories hold ";" which a CMake list would split: look for each one.
  string(REGEX MATCH "\nCategories=([^\n]*)" categories "${text}")
  set(categories "${CMAKE_MATCH_1}")
  foreach(category Game Emulator)
    if(NOT categories MATCHES "(^|\\;)${category}\\;")
      fail("desktop entry is not in the category ${category}")
    endif()
  endforeach()
  if(VALIDATOR)
    execute_process(COMMAND "${VALIDATOR}" "${entry}" RESULT_VARIABLE result
                    OUTPUT_VARIABLE report ERROR_VARIABLE report)
    if(NOT result EQUAL 0 OR report MATCHES "error")
      fail("desktop-file-validate rejects the entry:\n${report}")
    endif()
  else()
    message(STATUS "desktop-file-validate not found: the entry is not validated")
  endif()
endif()

# The theme directory promises 48 by 48: check the PNG header says so.
if(EXISTS "${icon}")
  file(READ "${icon}" header LIMIT 26 HEX)
  if(NOT header MATCHES "^89504e470d0a1a0a0000000d49484452000000300000003008")
    fail("the installed icon is not a 48 by 48 PNG of 8 bits per sample")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "Install layout under ${PREFIX}:\n${failures}")
endif()
message(STATUS "Install layout under ${PREFIX} is complete")
