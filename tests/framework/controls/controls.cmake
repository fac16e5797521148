# Controls and their windows, under Wine with a display.
orvo_add_test(framework_controls_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/controls_test.cpp ${CMAKE_CURRENT_LIST_DIR}/window_creation_test.cpp
    LIBS orvo_framework)
