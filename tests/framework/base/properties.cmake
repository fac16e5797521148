orvo_add_test(framework_properties_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/properties_test.cpp
    LIBS orvo_framework)
