# SPDX-License-Identifier: GPL-3.0-or-later
# The importer's command line run as a player would: a clue file and a picture written, the name
# rule and the no-overwrite rule enforced, refusals given with their reason and exit status 1.
# cmake -DIMPORT=<tool> -DSOURCE=<source folder> -DWORK=<scratch folder> -P CommandLine.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run expected_code expected_output)
  execute_process(COMMAND ${IMPORT} --out ${WORK} ${ARGN}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected_code OR NOT out MATCHES "${expected_output}")
    message(FATAL_ERROR "mosgrid-import ${ARGN}\nexit ${code} (expected ${expected_code})\n"
      "output: ${out}${err}expected to match: ${expected_output}")
  endif()
endfunction()

set(cross ${SOURCE}/fuzz/corpus/non/cross.non)
set(ring ${SOURCE}/tests/import/ring.png)
run(0 "cross.non: written Крест, 3 x 3, 2 colours, 0 cells changed -> " --name Крест ${cross})
if(NOT EXISTS ${WORK}/Крест.bmp)
  message(FATAL_ERROR "Крест.bmp was not written")
endif()
file(SIZE ${WORK}/Крест.bmp before)
# A puzzle of that name is kept unless --replace is given.
run(1 "refused: a puzzle named \"Крест\" exists already \\(--replace overwrites it\\)" --name Крест ${ring})
file(SIZE ${WORK}/Крест.bmp after)
if(NOT before EQUAL after)
  message(FATAL_ERROR "the existing puzzle was overwritten")
endif()
run(0 "written Крест, 24 x 20" --replace --name Крест --colours 2 --repair ${ring})
# Names that would leave the folder or cannot be names.
run(1 "refused: the name \"a/b\" cannot name a puzzle" --name a/b ${cross})
run(1 "refused: the name \"..\" cannot name a puzzle" --name .. ${cross})
# Several files, one line each; one refusal makes the exit status 1.
run(1 "cross.non: written cross.*two_solutions.non: refused: 6 solutions; the game needs exactly one"
  ${cross} ${SOURCE}/fuzz/corpus/non/two_solutions.non)
run(1 "refused: neither a picture nor a clue file" ${SOURCE}/tests/import/CommandLine.cmake)
run(2 "" --colours 16 ${cross})
