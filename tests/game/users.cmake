vantle_test(test_game_users users_test.cpp)
