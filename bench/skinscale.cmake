# Skin image resampling throughput: the default skin's images to the display scales.
#   build/<dir>/bench/skin-resample-bench [RUNS]
add_executable(skin-resample-bench ${CMAKE_CURRENT_LIST_DIR}/skin_resample_bench.cpp)
target_link_libraries(skin-resample-bench PRIVATE orvo_skinscale)
orvo_warnings(skin-resample-bench)
# One image resampled to a scale, to look at (by hand):
#   build/<dir>/bench/skin-resample-image IN.bmp OUT.bmp FRAMES PERCENT [LEFT TOP RIGHT BOTTOM] [stacked]
add_executable(skin-resample-image ${CMAKE_CURRENT_LIST_DIR}/skin_resample_image.cpp)
target_link_libraries(skin-resample-image PRIVATE orvo_skinscale)
orvo_warnings(skin-resample-image)
