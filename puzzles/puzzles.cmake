# SPDX-License-Identifier: GPL-3.0-or-later
# The bundled puzzles: every puzzles/src/NAME.txt becomes NAME.bmp in the program folder, made by
# the mosgrid_puzzles tool whenever a source or the tool changes. The rules page goes there too.
file(GLOB MOSGRID_PUZZLE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/src/*.txt)
set(MOSGRID_PUZZLE_PICTURES)
foreach(source ${MOSGRID_PUZZLE_SOURCES})
  get_filename_component(name ${source} NAME_WLE)
  list(APPEND MOSGRID_PUZZLE_PICTURES ${MOSGRID_GAME_DIR}/${name}.bmp)
endforeach()

if(MOSGRID_PUZZLE_SOURCES)
  add_custom_command(
    OUTPUT ${MOSGRID_PUZZLE_PICTURES}
    COMMAND mosgrid_puzzles ${MOSGRID_GAME_DIR} ${MOSGRID_PUZZLE_SOURCES}
    DEPENDS mosgrid_puzzles ${MOSGRID_PUZZLE_SOURCES}
    COMMENT "Making the bundled puzzle pictures"
    VERBATIM)
endif()

set(MOSGRID_RULES_PAGE ${CMAKE_SOURCE_DIR}/res/mosgrid.htm)
set(MOSGRID_RULES_COPY)
if(EXISTS ${MOSGRID_RULES_PAGE})
  set(MOSGRID_RULES_COPY ${MOSGRID_GAME_DIR}/mosgrid.htm)
  add_custom_command(
    OUTPUT ${MOSGRID_RULES_COPY}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MOSGRID_GAME_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${MOSGRID_RULES_PAGE} ${MOSGRID_RULES_COPY}
    DEPENDS ${MOSGRID_RULES_PAGE}
    COMMENT "Copying the rules page"
    VERBATIM)
endif()

add_custom_target(mosgrid_puzzle_pack ALL DEPENDS ${MOSGRID_PUZZLE_PICTURES} ${MOSGRID_RULES_COPY})

# Regenerates puzzles/README.md, the table of the pack (size, colours, solvable by lines alone).
add_custom_target(mosgrid_puzzle_table
  COMMAND mosgrid_puzzles --table ${CMAKE_CURRENT_LIST_DIR}/README.md ${MOSGRID_PUZZLE_SOURCES}
  DEPENDS mosgrid_puzzles
  COMMENT "Writing the table of the bundled puzzles"
  VERBATIM)
