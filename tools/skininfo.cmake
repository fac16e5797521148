# skininfo: prints what the skin engine understands of a skin store (Windows console program).
if(NOT WIN32)
    return() # it loads skins through the Windows skin component
endif()
add_library(orvo_skininfo_command STATIC ${CMAKE_CURRENT_LIST_DIR}/skininfo/skin_info.cpp)
target_link_libraries(orvo_skininfo_command PUBLIC orvo_skin_data)
orvo_warnings(orvo_skininfo_command)

add_executable(skininfo ${CMAKE_CURRENT_LIST_DIR}/skininfo/main.cpp)
target_link_libraries(skininfo PRIVATE orvo_skininfo_command orvo_platform)
orvo_warnings(skininfo)
