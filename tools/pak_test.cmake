# Packs a small tree with vantle_pak, lists the archive and checks names, sizes and the file size.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/data/gui)
file(WRITE ${WORK}/data/levels.xml "<levelset/>")
file(WRITE ${WORK}/data/gui/menu.xml "<gui></gui>")
file(WRITE ${WORK}/top.txt "")

execute_process(COMMAND ${PAK} out.pak data ./top.txt data/levels.xml WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE result ERROR_VARIABLE diagnostics)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "packing failed: ${diagnostics}")
endif()
if(NOT diagnostics MATCHES "writing pak\nwrote size 3\nheader \nwriting item data/gui/menu.xml\nsize 11\n")
    message(FATAL_ERROR "unexpected diagnostics: ${diagnostics}")
endif()

execute_process(COMMAND ${PAK} -l out.pak WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result OUTPUT_VARIABLE listing)
set(expected "11 data/gui/menu.xml\n11 data/levels.xml\n0 top.txt\n")
if(NOT result EQUAL 0 OR NOT listing STREQUAL expected)
    message(FATAL_ERROR "listing was '${listing}', expected '${expected}'")
endif()

# Table: count, then three records of 12 bytes plus their names; then 22 bytes of data.
file(SIZE ${WORK}/out.pak size)
math(EXPR expected_size "4 + (12 + 17) + (12 + 15) + (12 + 7) + 22")
if(NOT size EQUAL expected_size)
    message(FATAL_ERROR "archive has ${size} bytes, expected ${expected_size}")
endif()

execute_process(COMMAND ${PAK} out.pak missing.txt WORKING_DIRECTORY ${WORK} RESULT_VARIABLE result ERROR_QUIET)
if(result EQUAL 0)
    message(FATAL_ERROR "packing a missing file succeeded")
endif()
execute_process(COMMAND ${PAK} -l out.pak WORKING_DIRECTORY ${WORK} OUTPUT_VARIABLE listing)
if(NOT listing STREQUAL expected)
    message(FATAL_ERROR "a failed run changed the archive")
endif()
file(REMOVE_RECURSE ${WORK})
