# Controls, forms and the application, under Wine with a display.
orvo_add_test(framework_subclass_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/subclass_test.cpp
    LIBS orvo_framework)
orvo_add_test(framework_controls_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/controls_test.cpp ${CMAKE_CURRENT_LIST_DIR}/window_creation_test.cpp
    LIBS orvo_framework)
orvo_add_test(framework_forms_ui_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/forms_ui_test.cpp
    LIBS orvo_framework)
orvo_add_forms(framework_forms_ui_test ${CMAKE_CURRENT_LIST_DIR}/data/controls_form.form)
