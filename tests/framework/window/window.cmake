# Bare-window subclassing, under Wine with a display.
orvo_add_test(framework_subclass_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/subclass_test.cpp
    LIBS orvo_framework)
