vantle_test(test_core_pointers ptr_test.cpp log_test.cpp)
