# SPDX-License-Identifier: MIT
# The Debian package: `cpack -G DEB` in a build folder configured with
# -DCMAKE_INSTALL_PREFIX=/usr (the program's data folder is fixed at configure
# time, so the package installs exactly where the program will look).
set(TESURA_PACKAGE_MAINTAINER "Tesura developers <developers@tesura.org>"
    CACHE STRING "Maintainer field of the Debian package, as Name <address>")
# A build folder configured before the field had an address keeps the old
# default in its cache; that is no choice of the user's, so it is renewed.
if(TESURA_PACKAGE_MAINTAINER STREQUAL "Tesura developers")
  set(TESURA_PACKAGE_MAINTAINER "Tesura developers <developers@tesura.org>"
      CACHE STRING "Maintainer field of the Debian package, as Name <address>" FORCE)
endif()
# Debian reads the field as a name and an address; anything else is refused
# here rather than in the package's checks.
if(NOT TESURA_PACKAGE_MAINTAINER MATCHES "^[^<>@]*[^<>@ ] <[^<>@ ]+@[^<>@ ]+\\.[^<>@ ]+>$")
  message(FATAL_ERROR "TESURA_PACKAGE_MAINTAINER must be \"Name <address>\", "
                      "not \"${TESURA_PACKAGE_MAINTAINER}\"")
endif()

# A native package's history, where Debian looks for it; compressed without a
# time stamp so that the same tree gives the same package.
set(TESURA_CHANGELOG ${TESURA_DIST_DIR}/changelog)
configure_file(${PROJECT_SOURCE_DIR}/dist/changelog.in ${TESURA_CHANGELOG} @ONLY)
add_custom_command(OUTPUT ${TESURA_CHANGELOG}.gz
  COMMAND gzip -9nkf ${TESURA_CHANGELOG}
  DEPENDS ${TESURA_CHANGELOG}
  VERBATIM)
add_custom_target(tesura_changelog ALL DEPENDS ${TESURA_CHANGELOG}.gz)
install(FILES ${TESURA_CHANGELOG}.gz DESTINATION ${TESURA_DOC_DIR})

set(CPACK_PACKAGE_NAME tesura)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TESURA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "9 x 9 number-placement puzzles with a Japanese interface")
# Lines as the package shows them (Debian wraps no text itself).
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Tesura lets you enter a 9 x 9 number-placement puzzle with the mouse,\n"
  "by dragging digit tiles onto the board, and then solves it in one go,\n"
  "drawing the board as its deductions proceed, or lets you solve it by\n"
  "hand with the givens locked. The window's interface is in Japanese.\n"
  "\n"
  "The package also has tesura-solve, which solves files of puzzles, one\n"
  "a line, from the command line.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A solver first: the programs live in /usr/bin, which rules out "games"
# (Debian keeps those in /usr/games).
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Shared-library dependencies come from dpkg-shlibdeps; the labels and
# messages need a Japanese font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-japanese-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")

set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageCheck.cmake)
include(CPack)
