vantle_test(test_core_values value_test.cpp strutils_test.cpp)
