# The players file, score tables, level set and power-up table as fuzzers see them. Where the fuzz target function
# exists it builds and replays them; otherwise a plain test replays the corpus and seeded mutations of it.
foreach(reader users scores levelset powerups)
    if(COMMAND vantle_fuzz_target)
        vantle_fuzz_target(${reader} ${CMAKE_CURRENT_LIST_DIR}/../fuzz/${reader}_fuzz.cpp LIBS vantle)
    else()
        vantle_test(test_game_${reader}_fuzz ../fuzz/${reader}_fuzz.cpp fuzz_replay_test.cpp)
        target_compile_definitions(test_game_${reader}_fuzz PRIVATE
            FUZZ_CORPUS_DIR="${CMAKE_CURRENT_LIST_DIR}/../fuzz/corpus/${reader}"
            FUZZ_REPRO_DIR="${CMAKE_CURRENT_LIST_DIR}/../fuzz/repro/${reader}")
    endif()
endforeach()
