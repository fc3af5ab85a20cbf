vantle_test(test_script_facade engine_test.cpp)
target_link_libraries(test_script_facade PRIVATE vantle_script)

# One Ruby interpreter per process: these share it through their own main.
vantle_test(test_script_ruby ruby_main.cpp engine_ruby_test.cpp value_ruby_test.cpp)
target_link_libraries(test_script_ruby PRIVATE vantle_script_ruby)
