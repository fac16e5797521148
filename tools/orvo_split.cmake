# orvo-split: the command-line splitter (native, and a Windows console program).
add_library(orvo_split_command STATIC ${CMAKE_CURRENT_LIST_DIR}/orvo_split/split_command.cpp
            ${CMAKE_CURRENT_LIST_DIR}/orvo_split/progress_line.cpp)
target_link_libraries(orvo_split_command PUBLIC orvo_split orvo_settings)
orvo_warnings(orvo_split_command)

add_executable(orvo-split ${CMAKE_CURRENT_LIST_DIR}/orvo_split/main.cpp)
target_link_libraries(orvo-split PRIVATE orvo_split_command)
orvo_warnings(orvo-split)
