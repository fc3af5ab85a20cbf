# The players file, score tables, level set and power-up table as fuzzers see them.
foreach(reader users scores levelset powerups)
    vantle_fuzz_target(${reader} ${CMAKE_CURRENT_LIST_DIR}/../fuzz/${reader}_fuzz.cpp LIBS vantle)
endforeach()
