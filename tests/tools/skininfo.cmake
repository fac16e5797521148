# skininfo: the report in-process on the default skin and small stores, and the real program.
if(NOT WIN32)
    return()
endif()
orvo_add_test(skininfo_tests GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/skininfo/skin_info_test.cpp ${CMAKE_CURRENT_LIST_DIR}/orvo_split/run_process.cpp
    LIBS orvo_skininfo_command orvo_platform)
add_dependencies(skininfo_tests skininfo orvo_default_skin)
file(RELATIVE_PATH ORVO_SKININFO_RELATIVE ${CMAKE_CURRENT_BINARY_DIR} ${CMAKE_BINARY_DIR}/tools/skininfo${CMAKE_EXECUTABLE_SUFFIX})
target_compile_definitions(skininfo_tests PRIVATE ORVO_SKININFO_TOOL="${ORVO_SKININFO_RELATIVE}"
                                                  ORVO_DEFAULT_SKIN_STORE="${CMAKE_BINARY_DIR}/skins/default.skn")
