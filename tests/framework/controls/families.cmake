# Radio buttons and groups, bit and speed buttons, status bars: real windows, real input.
orvo_add_test(framework_control_families_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/radio_test.cpp ${CMAKE_CURRENT_LIST_DIR}/buttons_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/status_bar_test.cpp
    LIBS orvo_framework)
# Run by hand (not a test): the families on one stored form, to look at them.
add_executable(framework_families_demo WIN32 ${CMAKE_CURRENT_LIST_DIR}/families_demo.cpp)
target_link_libraries(framework_families_demo PRIVATE orvo_framework)
orvo_warnings(framework_families_demo)
