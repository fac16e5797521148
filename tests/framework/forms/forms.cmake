orvo_add_test(framework_forms_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/forms_test.cpp
    LIBS orvo_framework)
orvo_add_forms(framework_forms_test ${ORVO_FRAMEWORK_TEST_DATA}/test_form.form)
orvo_add_forms(framework_forms_test ${ORVO_FRAMEWORK_TEST_DATA}/test_form.form NAME SECONDCOPY)
# Run by hand (not a test): prints the cost of reading a main-window-sized stored form.
add_executable(framework_forms_bench ${CMAKE_CURRENT_LIST_DIR}/forms_bench.cpp)
target_link_libraries(framework_forms_bench PRIVATE orvo_framework)
orvo_warnings(framework_forms_bench)
# Forms, the application and the controls on a stored form, under Wine with a display.
orvo_add_test(framework_forms_ui_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/forms_ui_test.cpp
    LIBS orvo_framework)
orvo_add_forms(framework_forms_ui_test ${ORVO_FRAMEWORK_TEST_DATA}/controls_form.form)
