orvo_add_test(framework_lists_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/lists_test.cpp
    LIBS orvo_framework)
