# MDI frames and children under Wine with a display: stored frames and children, activation,
# window states, arranging, the window menu, menu merging, closing, handle counts, the MDI keys.
orvo_add_test(framework_mdi_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/mdi_test.cpp
    LIBS orvo_framework)
orvo_add_forms(framework_mdi_test ${ORVO_FRAMEWORK_TEST_DATA}/mdi_frame.form)
orvo_add_forms(framework_mdi_test ${ORVO_FRAMEWORK_TEST_DATA}/mdi_child.form)
