vantle_test(test_game_scores scores_test.cpp)
