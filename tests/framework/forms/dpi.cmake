# Forms at other display scales: WM_DPICHANGED in process, and forms made in child processes started
# at 120, 144 and 192 DPI (support/dpi_harness.h; the fixture "dpi" puts 96 back after).
orvo_add_test(framework_dpi_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/dpi_test.cpp
    LIBS orvo_framework)
orvo_add_forms(framework_dpi_test ${ORVO_FRAMEWORK_TEST_DATA}/scaled_form.form)
set_tests_properties(framework_dpi_test PROPERTIES FIXTURES_REQUIRED dpi)
