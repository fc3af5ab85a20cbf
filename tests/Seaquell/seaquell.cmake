vantle_test(test_seaquell_back_board back_board_test.cpp LIBS seaquell)
vantle_test(test_seaquell_balls ball_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
vantle_test(test_seaquell_ball_factory ball_factory_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
