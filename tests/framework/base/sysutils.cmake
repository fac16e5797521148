orvo_add_test(framework_sysutils_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/sysutils_test.cpp
    LIBS orvo_framework)
