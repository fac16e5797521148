# Tab, page and tab-set controls, track bars and progress bars, under Wine with a display.
orvo_add_test(framework_tabs_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tabs_test.cpp ${CMAKE_CURRENT_LIST_DIR}/track_progress_test.cpp
    LIBS orvo_framework)

# Not a test: a form showing these controls, for looking at them under Xvfb.
add_executable(framework_controls_showcase WIN32 ${CMAKE_CURRENT_LIST_DIR}/showcase.cpp)
target_link_libraries(framework_controls_showcase PRIVATE orvo_framework)
orvo_warnings(framework_controls_showcase)
