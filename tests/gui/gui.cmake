vantle_test(test_gui_event event_test.cpp)
vantle_test(test_gui_style style_test.cpp)
vantle_test(test_gui_window window_test.cpp probe_windows.cpp)
vantle_test(test_gui_handlers handlers_test.cpp probe_windows.cpp)
