vantle_test(test_io_streams record_test.cpp stream_test.cpp)
