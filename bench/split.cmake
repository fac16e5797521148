# The splitting benchmark's input generator; bench/split_bench.sh builds and runs it.
add_executable(split-textgen ${CMAKE_CURRENT_LIST_DIR}/split_textgen.cpp)
orvo_warnings(split-textgen)
