# List, combo, scroll, up-down, spin and date-time controls, and windows placed on a parent window,
# under Wine with a display: driven by real mouse and key input.
orvo_add_test(framework_choice_controls_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/list_box_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/combo_box_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/range_controls_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/choice_form_test.cpp
    LIBS orvo_framework)
