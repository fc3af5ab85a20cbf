vantle_test(test_seaquell_back_board back_board_test.cpp LIBS seaquell)
vantle_test(test_seaquell_balls ball_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
vantle_test(test_seaquell_ball_factory ball_factory_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
vantle_test(test_seaquell_bonus_balls bonus_balls_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
vantle_test(test_seaquell_board board_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
vantle_test(test_seaquell_board_actions board_actions_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
vantle_test(test_seaquell_board_play board_play_test.cpp ../effects/effect_kinds_fixture.cpp ../game/powerup_table.cpp
    LIBS seaquell)

# Level map strings as fuzzers see them.
vantle_fuzz_target(level_map ${CMAKE_CURRENT_LIST_DIR}/../fuzz/level_map_fuzz.cpp LIBS seaquell)
# The game window on the recording renderer and the fake script engine, with a real board and level set.
vantle_test(test_seaquell_game game_test.cpp LIBS seaquell)
# The whole game in one process on its real back ends with a scripted mouse and keyboard; each assembles
# its run folder from the data tree and tools/make_data.py. One plays two levels, one tours every screen.
foreach(name whole_game every_screen)
    vantle_test(test_seaquell_${name} ${name}_test.cpp game_session.cpp LIBS seaquell OpenGL::GL GL)
    target_compile_definitions(test_seaquell_${name} PRIVATE SEAQUELL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endforeach()
# Every shipped level played by a simple player on the real board, one line per level and seed.
vantle_test(test_seaquell_level_play level_play_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
target_compile_definitions(test_seaquell_level_play PRIVATE SEAQUELL_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
# About two and a half minutes of play under the sanitizers: started first, so the other tests run beside it.
set_tests_properties(test_seaquell_level_play PROPERTIES TIMEOUT 600 COST 10000)
