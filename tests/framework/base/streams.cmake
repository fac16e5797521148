orvo_add_test(framework_streams_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/streams_test.cpp
    LIBS orvo_framework)
# A form that exists only once the build runs: its resource name is found at build time.
set(generated_form ${CMAKE_CURRENT_BINARY_DIR}/generated/test_form.form)
add_custom_command(OUTPUT ${generated_form}
    COMMAND ${CMAKE_COMMAND} -E copy ${ORVO_FRAMEWORK_TEST_DATA}/test_form.form ${generated_form}
    DEPENDS ${ORVO_FRAMEWORK_TEST_DATA}/test_form.form
    VERBATIM)
orvo_add_forms(framework_streams_test ${generated_form})
