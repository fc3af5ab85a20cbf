vantle_test(test_effects_tree effect_test.cpp)
vantle_test(test_effects_manager manager_test.cpp)
