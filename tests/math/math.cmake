vantle_test(test_math_types rect_test.cpp geometry_test.cpp matrix_test.cpp spline_test.cpp)
