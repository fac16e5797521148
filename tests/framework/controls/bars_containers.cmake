# Header controls, tool bars, cool bars, tab sets, scroll boxes, frames and embedded forms, under
# Wine with a display.
orvo_add_test(framework_bars_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/header_tool_bar_test.cpp ${CMAKE_CURRENT_LIST_DIR}/containers_test.cpp
    LIBS orvo_framework)
orvo_add_forms(framework_bars_test ${ORVO_FRAMEWORK_TEST_DATA}/address_frame.form)
orvo_add_forms(framework_bars_test ${ORVO_FRAMEWORK_TEST_DATA}/embedded_form.form)
