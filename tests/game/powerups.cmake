vantle_test(test_game_powerup_definitions powerup_definition_test.cpp powerup_table.cpp)
vantle_test(test_game_powerups powerup_test.cpp powerup_table.cpp)
vantle_test(test_game_powerup_set powerup_set_test.cpp powerup_table.cpp)

# The power-up table as fuzzers see it, built as the players file and score tables are.
if(COMMAND vantle_fuzz_target)
    vantle_fuzz_target(powerups ../fuzz/powerups_fuzz.cpp)
else()
    vantle_test(test_game_powerups_fuzz ../fuzz/powerups_fuzz.cpp fuzz_replay_test.cpp)
    target_compile_definitions(test_game_powerups_fuzz PRIVATE
        FUZZ_CORPUS_DIR="${CMAKE_CURRENT_LIST_DIR}/../fuzz/corpus/powerups"
        FUZZ_REPRO_DIR="${CMAKE_CURRENT_LIST_DIR}/../fuzz/repro/powerups")
endif()
vantle_test(test_game_current_powerup_set current_powerup_set_test.cpp powerup_table.cpp)
