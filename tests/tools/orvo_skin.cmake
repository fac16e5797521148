# orvo-skin: the command run in-process on temporary directories.
orvo_add_test(orvo_skin_tool_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/orvo_skin/skin_command_test.cpp ${CMAKE_CURRENT_LIST_DIR}/orvo_skin/skin_scales_command_test.cpp
    LIBS orvo_skin_command)

# Every packed skin, with its images for 150 and 200 %, passes orvo-skin check with no error and
# no warning; the default skin's Header.bmp keeps two spare columns by design (72 pixels in 5
# frames), its only warning.
if(NOT CMAKE_CROSSCOMPILING)
    foreach(name ${ORVO_SKIN_NAMES})
        string(TOUPPER ${name} upper)
        add_test(NAME orvo_skin_check_${name} COMMAND orvo-skin check ${ORVO_${upper}_SKIN_STORE})
        set(allowed "images and [1-9][0-9]* for other scales: 0 errors, 0 warnings")
        if(name STREQUAL "default")
            set(allowed "images and [1-9][0-9]* for other scales: 0 errors, 1 warnings")
        endif()
        set_tests_properties(orvo_skin_check_${name} PROPERTIES LABELS host PASS_REGULAR_EXPRESSION "${allowed}")
    endforeach()
endif()
