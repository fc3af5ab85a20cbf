vantle_test(test_seaquell_back_board back_board_test.cpp LIBS seaquell)
vantle_test(test_seaquell_balls ball_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
vantle_test(test_seaquell_ball_factory ball_factory_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)

if(COMMAND vantle_fuzz_target)
    vantle_fuzz_target(level_map ${CMAKE_CURRENT_LIST_DIR}/../fuzz/level_map_fuzz.cpp LIBS seaquell)
endif()
