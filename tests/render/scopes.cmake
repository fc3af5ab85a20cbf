vantle_test(test_render_scopes scopes_test.cpp)
