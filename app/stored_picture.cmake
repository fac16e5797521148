# Puts a picture file into a stored form at build time, as the Picture.Data of a TImage.
#
#   orvo_stored_picture_form(<output.form> TEMPLATE <template.form> PICTURE <file> CLASS <graphic class>)
#
# Writes <output.form>: the template with the line holding only @PICTURE_DATA@ replaced by
# "Picture.Data = { ... }" (one byte with the length of the class name, the name, then the file).
#
# Run with -P, this file does the writing (variables TEMPLATE, PICTURE, CLASS, OUTPUT).

if(CMAKE_SCRIPT_MODE_FILE)
    file(READ "${PICTURE}" data HEX)
    if(data STREQUAL "")
        message(FATAL_ERROR "${PICTURE}: empty picture")
    endif()
    string(LENGTH "${CLASS}" length)
    if(length EQUAL 0 OR length GREATER 255)
        message(FATAL_ERROR "orvo_stored_picture_form: bad class name '${CLASS}'")
    endif()
    math(EXPR length "${length}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${length}" 2 -1 length)
    string(LENGTH "${length}" digits)
    if(digits EQUAL 1)
        set(length "0${length}")
    endif()
    string(HEX "${CLASS}" name)
    string(TOUPPER "${length}${name}${data}" data)
    # 32 bytes a line.
    string(REPEAT "." 64 line)
    string(REGEX REPLACE "(${line})" "\\1\n      " data "${data}")
    string(STRIP "${data}" data)
    file(READ "${TEMPLATE}" text)
    string(REGEX MATCH "[ \t]*@PICTURE_DATA@" placeholder "${text}")
    if(NOT placeholder)
        message(FATAL_ERROR "${TEMPLATE}: no @PICTURE_DATA@ line")
    endif()
    string(REPLACE "@PICTURE_DATA@" "Picture.Data = {\n      ${data}}" text "${text}")
    file(WRITE "${OUTPUT}" "${text}")
    return()
endif()

set(ORVO_STORED_PICTURE_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(orvo_stored_picture_form output)
    cmake_parse_arguments(F "" "TEMPLATE;PICTURE;CLASS" "" ${ARGN})
    get_filename_component(template "${F_TEMPLATE}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(picture "${F_PICTURE}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(output "${output}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
    add_custom_command(OUTPUT "${output}"
        COMMAND ${CMAKE_COMMAND} "-DTEMPLATE=${template}" "-DPICTURE=${picture}" "-DCLASS=${F_CLASS}"
                "-DOUTPUT=${output}" -P "${ORVO_STORED_PICTURE_SCRIPT}"
        DEPENDS "${template}" "${picture}" "${ORVO_STORED_PICTURE_SCRIPT}"
        COMMENT "Storing the picture ${picture} in ${output}"
        VERBATIM)
endfunction()
