# Graphics: colours, GDI wrappers, fonts, brushes, pens, canvases, bitmaps, pictures, image lists.
configure_file(${ORVO_FRAMEWORK_TEST_DATA}/graphics_test.rc.in ${CMAKE_CURRENT_BINARY_DIR}/graphics_test.rc)
orvo_add_test(orvo_graphics_tests GUI
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/color_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/canvas_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/bitmap_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/bmp_codec_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/picture_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/graphics_properties_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/image_list_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/scaled_picture_test.cpp
        ${CMAKE_CURRENT_BINARY_DIR}/graphics_test.rc
    LIBS orvo_framework)
