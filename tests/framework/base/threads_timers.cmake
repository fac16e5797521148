orvo_add_test(framework_threads_timers_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/threads_timers_test.cpp
    LIBS orvo_framework)
