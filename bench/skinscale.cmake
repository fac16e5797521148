# Skin image resampling throughput: the default skin's images to the display scales.
#   build/<dir>/bench/skin-resample-bench [RUNS]
add_executable(skin-resample-bench ${CMAKE_CURRENT_LIST_DIR}/skin_resample_bench.cpp)
target_link_libraries(skin-resample-bench PRIVATE orvo_skinscale)
orvo_warnings(skin-resample-bench)
