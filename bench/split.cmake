# The splitting benchmark's input generator; bench/split_bench.sh builds and runs it.
add_executable(split-textgen ${CMAKE_CURRENT_LIST_DIR}/split_textgen.cpp)
orvo_warnings(split-textgen)

# The copy loops alone, in memory.
add_executable(split-copy-bench ${CMAKE_CURRENT_LIST_DIR}/split_copy_bench.cpp)
target_link_libraries(split-copy-bench PRIVATE orvo_split)
orvo_warnings(split-copy-bench)
