vantle_test(test_gui_widgets bases_test.cpp text_test.cpp button_test.cpp)
vantle_test(test_gui_widgets_more text_box_test.cpp effect_holder_test.cpp spin_box_test.cpp
            progress_button_test.cpp dmesh_test.cpp)
