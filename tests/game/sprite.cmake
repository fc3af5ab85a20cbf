vantle_test(test_game_sprite sprite_test.cpp ../effects/effect_kinds_fixture.cpp)
