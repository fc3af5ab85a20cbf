vantle_test(test_game_levelset levelset_test.cpp)

if(COMMAND vantle_fuzz_target)
    vantle_fuzz_target(levelset ${CMAKE_CURRENT_LIST_DIR}/../fuzz/levelset_fuzz.cpp)
endif()
