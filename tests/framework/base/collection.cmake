orvo_add_test(framework_collection_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/collection_test.cpp
    LIBS orvo_framework)
