# Tests at other display scales (dpi_harness.h). The fixture's cleanup sets the prefix's LogPixels
# back to 96 after the test programs that change it, even after one that crashed: such a test program
# says set_tests_properties(NAME PROPERTIES FIXTURES_REQUIRED dpi).
add_executable(orvo_dpi_reset ${CMAKE_CURRENT_LIST_DIR}/dpi_reset.cpp)
target_include_directories(orvo_dpi_reset PRIVATE ${ORVO_ROOT})
orvo_warnings(orvo_dpi_reset)
add_test(NAME orvo_dpi_reset COMMAND orvo_dpi_reset)
set_tests_properties(orvo_dpi_reset PROPERTIES FIXTURES_CLEANUP dpi LABELS win)

