vantle_test(test_io_fuzz data_fuzz_test.cpp)
