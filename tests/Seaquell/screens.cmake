# The level preview and the jigsaw window on the recording renderer.
vantle_test(test_seaquell_level_preview level_preview_test.cpp ../effects/effect_kinds_fixture.cpp
    ../game/powerup_table.cpp LIBS seaquell)
vantle_test(test_seaquell_jigsaw jigsaw_test.cpp LIBS seaquell)

# The built game started on the map, under a display of its own.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME test_seaquell_map_screen
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/map_screen_test.py $<TARGET_FILE:moravane>
                 ${PROJECT_SOURCE_DIR})
set_tests_properties(test_seaquell_map_screen PROPERTIES LABELS gl TIMEOUT 300
                     ENVIRONMENT "SDL_AUDIODRIVER=dummy")
