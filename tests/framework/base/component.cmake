orvo_add_test(framework_component_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/component_test.cpp
    LIBS orvo_framework)
