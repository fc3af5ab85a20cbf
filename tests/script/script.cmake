vantle_test(test_script_facade engine_test.cpp)
target_link_libraries(test_script_facade PRIVATE vantle_script)

# One Ruby interpreter per process: these share it through their own main.
vantle_test(test_script_ruby ruby_main.cpp engine_ruby_test.cpp value_ruby_test.cpp)
target_link_libraries(test_script_ruby PRIVATE vantle_script_ruby)

# The global script functions against recording doubles, in an interpreter of their own.
vantle_test(test_script_functions ruby_main.cpp functions_test.cpp)
target_link_libraries(test_script_functions PRIVATE vantle_script_ruby)

# The power-up classes, in an interpreter of their own.
vantle_test(test_script_rb_powerups ruby_main.cpp rb_powerups_test.cpp ../game/powerup_table.cpp)
target_link_libraries(test_script_rb_powerups PRIVATE vantle_script_ruby)

# The window classes and the screen and window functions with the real interpreter, in one of their own.
vantle_test(test_script_rb_window ruby_main.cpp rb_window_test.cpp ../gui/probe_windows.cpp)
target_link_libraries(test_script_rb_window PRIVATE vantle_script_ruby)
