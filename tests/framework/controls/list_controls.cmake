# Tree view, list view, string grid and rich edit, driven under Wine with a display.
orvo_add_test(framework_list_controls_test GUI
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tree_view_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/list_view_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/string_grid_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/rich_edit_test.cpp
    LIBS orvo_framework)
