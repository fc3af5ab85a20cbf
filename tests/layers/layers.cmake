# The engine's and the game's includes keep to the layers; the second test checks the check.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME test_layers COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/scripts/check_layers.py
                                  ${PROJECT_SOURCE_DIR})
add_test(NAME test_layers_check
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/check_layers_test.py
                 ${PROJECT_SOURCE_DIR}/scripts/check_layers.py)
