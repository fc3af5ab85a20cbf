# The run folder the play command assembles, with a stand-in for the picture generator.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME test_scripts_assemble_run
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/assemble_run_test.py ${PROJECT_SOURCE_DIR})
