# MDI frames and children under Wine with a display: stored frames and children, activation,
# window states, arranging, the window menu, menu merging, closing, handle counts, the MDI keys.
orvo_add_test(framework_mdi_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/mdi_test.cpp
    LIBS orvo_framework)
orvo_add_forms(framework_mdi_test ${ORVO_FRAMEWORK_TEST_DATA}/mdi_frame.form)
orvo_add_forms(framework_mdi_test ${ORVO_FRAMEWORK_TEST_DATA}/mdi_child.form)
# Run by hand (not a test): a frame with children to look at (docs/framework-mdi*.png).
add_executable(framework_mdi_look ${CMAKE_CURRENT_LIST_DIR}/mdi_look.cpp)
target_link_libraries(framework_mdi_look PRIVATE orvo_framework)
orvo_warnings(framework_mdi_look)
