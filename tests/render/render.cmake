vantle_test(test_render_basics color_test.cpp bitmap_test.cpp texture_page_test.cpp pixel_mask_test.cpp buffers_test.cpp facade_test.cpp
           render_ogl_test.cpp)
vantle_test(test_render_gl gl_draw_test.cpp gl_texture_test.cpp GL)
vantle_test(test_render_textures texture_cache_test.cpp tilemap_test.cpp)
