vantle_test(test_gui_list_box list_box_test.cpp)
vantle_test(test_gui_entry_widgets slider_test.cpp edit_box_test.cpp image_box_test.cpp)
