# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules and the Debian package. The game goes into bin/ with mosgrid-solve and
# mosgrid-import (which writes into the player's puzzle folder of an installed game); its bundled
# puzzles and rules page into share/mosgrid, which the installed game finds from its own folder
# (MOSGRID_DATA_FROM_PROGRAM, set in the top CMakeLists.txt); the desktop file, the AppStream
# metainfo, the icons and the man pages where the desktop and man look for them.

install(TARGETS mosgrid mosgrid-solve mosgrid-import RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${MOSGRID_PUZZLE_PICTURES} ${MOSGRID_RULES_COPY} DESTINATION ${MOSGRID_INSTALL_DATADIR})

install(FILES res/${MOSGRID_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 24 32 48 64 128 256)
  install(FILES res/icons/mosgrid-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${MOSGRID_APP_ID}.png)
endforeach()
install(FILES res/icons/mosgrid.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${MOSGRID_APP_ID}.svg)

# The metainfo carries the project's version and the day of this release.
set(MOSGRID_SCREENSHOT_URL "https://mosgrid.github.io/screenshots" CACHE STRING
    "Where the metainfo's screenshots (made by shoot_screens and shoot_puzzles) are published")
set(MOSGRID_RELEASE_DATE "2026-12-08" CACHE STRING "The date of the release the version names")
set(MOSGRID_METAINFO ${CMAKE_BINARY_DIR}/${MOSGRID_APP_ID}.metainfo.xml)
configure_file(res/${MOSGRID_APP_ID}.metainfo.xml.in ${MOSGRID_METAINFO} @ONLY)
install(FILES ${MOSGRID_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Man pages, compressed as Debian ships them.
find_program(MOSGRID_GZIP gzip REQUIRED)
set(MOSGRID_MAN_PAGES)
foreach(page mosgrid.6 mosgrid-solve.1)
  string(REGEX REPLACE ".*\\." "" section ${page})
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${MOSGRID_GZIP} -9nc ${CMAKE_SOURCE_DIR}/res/man/${page} > ${compressed}
    DEPENDS res/man/${page}
    COMMENT "Compressing the man page ${page}")
  list(APPEND MOSGRID_MAN_PAGES ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(mosgrid_man_pages ALL DEPENDS ${MOSGRID_MAN_PAGES})

install(FILES res/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mosgrid)

# cpack -G DEB in the build folder makes mosgrid_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME mosgrid)
set(CPACK_PACKAGE_VENDOR "Mosgrid developers")
set(CPACK_PACKAGE_CONTACT "Mosgrid developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "picture-logic puzzle game (nonograms)")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "picture-logic puzzle game (nonograms)
Mosgrid is a nonogram game: paint the hidden picture from the numbered
clues of its rows and columns. It comes with a pack of puzzles in up to
16 colours, keeps every puzzle's best time, gives hints, and its solver
counts the solutions of a two-colour puzzle and shows them one by one.
The interface is in Russian.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The clue font (Liberation Sans, metric-compatible with Arial).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
