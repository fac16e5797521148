# orvo-split: the command in-process, and the real program started as a child process.
set(ORVO_SPLIT_TEST_DIR ${CMAKE_CURRENT_LIST_DIR}/orvo_split)
orvo_add_test(orvo_split_tool_tests
    SOURCES ${ORVO_SPLIT_TEST_DIR}/split_command_test.cpp ${ORVO_SPLIT_TEST_DIR}/run_process.cpp
    LIBS orvo_split_command)
add_dependencies(orvo_split_tool_tests orvo-split)
# The tests find the program relative to their own binary, which works under Wine as well.
file(RELATIVE_PATH ORVO_SPLIT_TOOL_RELATIVE ${CMAKE_CURRENT_BINARY_DIR}
     ${CMAKE_BINARY_DIR}/tools/orvo-split${CMAKE_EXECUTABLE_SUFFIX})
target_compile_definitions(orvo_split_tool_tests PRIVATE ORVO_SPLIT_TOOL="${ORVO_SPLIT_TOOL_RELATIVE}")
