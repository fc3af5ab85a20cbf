# The application with stand-in back ends, and the built game run under X: started and stopped, and its
# main menu clicked by a scripted mouse on a display of its own.
vantle_test(test_seaquell_app zeph_test.cpp LIBS seaquell)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME test_seaquell_start_stop
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/start_stop_test.py $<TARGET_FILE:moravane>
                 ${PROJECT_SOURCE_DIR})
set_tests_properties(test_seaquell_start_stop PROPERTIES LABELS gl TIMEOUT 300
                     ENVIRONMENT "SDL_AUDIODRIVER=dummy")

# The data tree the play command assembles: committed files and generated ones.
add_test(NAME test_seaquell_data_tree
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/data_tree_test.py ${PROJECT_SOURCE_DIR})
