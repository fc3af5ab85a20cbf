vantle_test(test_game_sprite sprite_test.cpp ../effects/kinds2_fixture.cpp)
