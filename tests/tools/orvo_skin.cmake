# orvo-skin: the command run in-process on temporary directories.
orvo_add_test(orvo_skin_tool_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/orvo_skin/skin_command_test.cpp
    LIBS orvo_skin_command)
