vantle_test(test_render_tiles animation_test.cpp)
vantle_test(test_render_fonts font_test.cpp)
vantle_test(test_render_fonts_gl font_gl_test.cpp GL)
