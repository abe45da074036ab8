# SPDX-License-Identifier: MIT
# Installs the build into an empty prefix, then checks that exactly the
# expected files are there, that the installed solver runs, and that the menu
# entry starts the window in the data folder the program was configured with.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

file(GLOB_RECURSE found RELATIVE ${PREFIX} LIST_DIRECTORIES false ${PREFIX}/*)
list(SORT found)
file(STRINGS ${EXPECTED} expected)
if(NOT found STREQUAL expected)
  set(extra ${found})
  list(REMOVE_ITEM extra ${expected})
  set(missing ${expected})
  list(REMOVE_ITEM missing ${found})
  message(FATAL_ERROR "installed files differ\n  missing: ${missing}\n  unexpected: ${extra}")
endif()

execute_process(COMMAND ${PREFIX}/bin/tesura-solve --version RESULT_VARIABLE result
                OUTPUT_VARIABLE version)
if(NOT result EQUAL 0 OR version STREQUAL "")
  message(FATAL_ERROR "the installed tesura-solve does not run: ${result}")
endif()

set(entry ${PREFIX}/share/applications/org.tesura.Tesura.desktop)
if(EXISTS ${entry})
  file(STRINGS ${entry} path_line REGEX "^Path=")
  if(NOT path_line STREQUAL "Path=${DATA_DIR}")
    message(FATAL_ERROR "the menu entry starts in '${path_line}', not in ${DATA_DIR}")
  endif()
endif()
message(STATUS "${PREFIX}: ${found}")
