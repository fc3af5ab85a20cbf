# Screen layouts and style files as fuzzers see them. Where the fuzz target function exists it builds and
# replays them; otherwise a plain test replays the corpus and seeded mutations of it.
foreach(reader layout style)
    if(COMMAND vantle_fuzz_target)
        vantle_fuzz_target(${reader} ${CMAKE_CURRENT_LIST_DIR}/../fuzz/${reader}_fuzz.cpp LIBS vantle)
    else()
        vantle_test(test_gui_${reader}_fuzz ../fuzz/${reader}_fuzz.cpp ../game/fuzz_replay_test.cpp)
        target_compile_definitions(test_gui_${reader}_fuzz PRIVATE
            FUZZ_CORPUS_DIR="${CMAKE_CURRENT_LIST_DIR}/../fuzz/corpus/${reader}"
            FUZZ_REPRO_DIR="${CMAKE_CURRENT_LIST_DIR}/../fuzz/repro/${reader}")
    endif()
endforeach()
