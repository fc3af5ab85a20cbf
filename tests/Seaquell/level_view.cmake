# The level view: frame map, vertex buffers and drawing order on the recording renderer, and a small board
# drawn through OpenGL.
vantle_test(test_seaquell_level_view level_view_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
vantle_test(test_seaquell_level_view_gl level_view_gl_test.cpp LIBS seaquell GL)
