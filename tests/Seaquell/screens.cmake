# The level preview and the jigsaw window on the recording renderer.
vantle_test(test_seaquell_level_preview level_preview_test.cpp ../effects/effect_kinds_fixture.cpp
    ../game/powerup_table.cpp LIBS seaquell)
vantle_test(test_seaquell_jigsaw jigsaw_test.cpp LIBS seaquell)
