orvo_add_test(framework_forms_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/forms_test.cpp
    LIBS orvo_framework)
orvo_add_forms(framework_forms_test ${CMAKE_CURRENT_LIST_DIR}/data/test_form.form)
orvo_add_forms(framework_forms_test ${CMAKE_CURRENT_LIST_DIR}/data/test_form.form NAME SECONDCOPY)
