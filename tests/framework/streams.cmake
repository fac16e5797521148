orvo_add_test(framework_streams_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/streams_test.cpp
    LIBS orvo_framework)
orvo_add_forms(framework_streams_test ${CMAKE_CURRENT_LIST_DIR}/data/test_form.form NAME STREAMDATA)
