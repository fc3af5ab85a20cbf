vantle_test(test_gui_widgets bases_test.cpp text_test.cpp button_test.cpp)
