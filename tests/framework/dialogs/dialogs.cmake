# Common dialogs and the shell's folder browser, answered from a hook under the real system DLLs.
orvo_add_test(framework_dialogs_test GUI
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/dialogs_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/shell_browse_test.cpp
    LIBS orvo_framework)
