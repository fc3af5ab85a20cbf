vantle_test(test_gui_pictures_counters image_test.cpp progress_test.cpp number_test.cpp)
vantle_test(test_gui_powerup_button powerup_button_test.cpp ../../game/powerup_table.cpp)
vantle_test(test_gui_powerup_button_gl powerup_button_gl_test.cpp ../../game/powerup_table.cpp GL)
