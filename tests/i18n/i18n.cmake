vantle_test(test_i18n_messages mtable_test.cpp)
