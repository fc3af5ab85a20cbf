vantle_test(test_input_facades facades_test.cpp)
vantle_test(test_input_sdl input_sdl_test.cpp)
