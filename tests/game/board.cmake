vantle_test(test_game_board board_test.cpp)
