# SPDX-License-Identifier: MIT
# Where `cmake --install` puts things, and the files of the desktop integration:
# menu entry, AppStream metainfo, icons, man pages and license. The programs and
# their data files are installed by cli/ and ui/.
include(GNUInstallDirs)

set(TESURA_APP_ID org.tesura.Tesura)
# The program's own data folder: the tile files and the sound.
set(TESURA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/tesura)
set(TESURA_FULL_DATA_DIR ${CMAKE_INSTALL_FULL_DATADIR}/tesura)
set(TESURA_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tesura)
set(TESURA_DIST_DIR ${CMAKE_BINARY_DIR}/dist)

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${TESURA_DOC_DIR})
# Where a Debian system looks for a package's license.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${TESURA_DOC_DIR} RENAME copyright)

# Man pages carry the version; they are installed compressed.
function(tesura_man_page name section)
  set(page ${TESURA_DIST_DIR}/${name}.${section})
  configure_file(${PROJECT_SOURCE_DIR}/dist/${name}.${section}.in ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND gzip -9nkf ${page}
    DEPENDS ${page}
    VERBATIM)
  add_custom_target(tesura_man_${name} ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()

tesura_man_page(tesura-solve 1)

if(TESURA_BUILD_UI)
  tesura_man_page(tesura 6)
  # The menu entry starts the window in the data folder, where the tile files
  # are read from by bare name.
  set(TESURA_DESKTOP_FILE ${TESURA_DIST_DIR}/${TESURA_APP_ID}.desktop)
  set(TESURA_METAINFO_FILE ${TESURA_DIST_DIR}/${TESURA_APP_ID}.metainfo.xml)
  configure_file(dist/${TESURA_APP_ID}.desktop.in ${TESURA_DESKTOP_FILE} @ONLY)
  configure_file(dist/${TESURA_APP_ID}.metainfo.xml.in ${TESURA_METAINFO_FILE} @ONLY)
  install(FILES ${TESURA_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${TESURA_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/assets/icons/hicolor
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
