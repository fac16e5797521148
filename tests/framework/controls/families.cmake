# Radio buttons and groups, bit and speed buttons, status bars: real windows, real input.
orvo_add_test(framework_control_families_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/radio_test.cpp ${CMAKE_CURRENT_LIST_DIR}/buttons_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/status_bar_test.cpp
    LIBS orvo_framework)
