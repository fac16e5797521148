# Skin store codec benchmark: decode and encode throughput of the default skin store and of large
# generated texts.   build/<dir>/bench/skinfile-codec-bench [STORE]
add_executable(skinfile-codec-bench ${CMAKE_CURRENT_LIST_DIR}/skinfile_codec_bench.cpp)
target_link_libraries(skinfile-codec-bench PRIVATE orvo_skinfile)
orvo_warnings(skinfile-codec-bench)
if(TARGET orvo_default_skin)
    add_dependencies(skinfile-codec-bench orvo_default_skin)
    target_compile_definitions(skinfile-codec-bench PRIVATE ORVO_DEFAULT_SKIN_STORE="${ORVO_DEFAULT_SKIN_STORE}")
endif()
