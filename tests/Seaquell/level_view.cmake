# The level view: frame map, vertex buffers and drawing order on the recording renderer, and a small board
# drawn through OpenGL.
vantle_test(test_seaquell_level_view level_view_test.cpp ../effects/effect_kinds_fixture.cpp LIBS seaquell)
