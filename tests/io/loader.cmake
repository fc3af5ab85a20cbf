vantle_test(test_io_loader loader_test.cpp pak_test.cpp)
