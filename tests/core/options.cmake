vantle_test(test_core_options options_test.cpp properties_test.cpp)
