# orvo-skin: packs, unpacks, lists and checks skin stores (native, and a Windows console program).
add_library(orvo_skin_command STATIC
    ${CMAKE_CURRENT_LIST_DIR}/orvo_skin/skin_check.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orvo_skin/skin_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orvo_skin/skin_pack.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orvo_skin/skin_scale_report.cpp
    ${CMAKE_CURRENT_LIST_DIR}/orvo_skin/tool_files.cpp)
target_link_libraries(orvo_skin_command PUBLIC orvo_skinfile orvo_skinscale)
orvo_warnings(orvo_skin_command)

add_executable(orvo-skin ${CMAKE_CURRENT_LIST_DIR}/orvo_skin/main.cpp)
target_link_libraries(orvo-skin PRIVATE orvo_skin_command orvo_platform)
orvo_warnings(orvo-skin)
