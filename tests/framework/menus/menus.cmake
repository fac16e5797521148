# Menus: shortcuts and mnemonics, the item tree and its native menu, owner drawing, popup menus,
# menus in stored forms.
orvo_add_test(framework_menus_test GUI
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/shortcuts_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/menu_tree_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/menu_draw_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/popup_menu_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/menu_form_test.cpp
    LIBS orvo_framework)
