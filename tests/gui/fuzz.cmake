# Screen layouts and style files as fuzzers see them.
foreach(reader layout style)
    vantle_fuzz_target(${reader} ${CMAKE_CURRENT_LIST_DIR}/../fuzz/${reader}_fuzz.cpp LIBS vantle)
endforeach()
