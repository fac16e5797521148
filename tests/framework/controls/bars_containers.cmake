# Header controls, tool bars, cool bars, scroll boxes, frames and embedded forms, under Wine with
# a display.
orvo_add_test(framework_bars_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/header_tool_bar_test.cpp
    LIBS orvo_framework)
