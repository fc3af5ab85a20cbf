vantle_test(test_core_values value_test.cpp strutils_test.cpp number_text_test.cpp)
vantle_test(test_core_context context_test.cpp functor_test.cpp)
