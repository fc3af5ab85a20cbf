vantle_test(test_utils_timer timer_test.cpp)
