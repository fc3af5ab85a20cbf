# The application with stand-in back ends, and the built game started and stopped under the X display.
vantle_test(test_seaquell_app zeph_test.cpp LIBS seaquell)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME test_seaquell_start_stop
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/start_stop_test.py $<TARGET_FILE:moravane>
                 ${PROJECT_SOURCE_DIR})
set_tests_properties(test_seaquell_start_stop PROPERTIES LABELS gl TIMEOUT 300
                     ENVIRONMENT "SDL_AUDIODRIVER=dummy")
