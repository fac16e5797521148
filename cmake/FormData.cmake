# Binary property data put into a stored form at build time.
#
#   orvo_form_data(<output.form> TEMPLATE <template.form> PLACEHOLDER <NAME> PROPERTY <Property>
#                  DATA <file> [LENGTH_PREFIX] [CLASS_PREFIX <class name>] [DEPENDS <file or target>...])
#
# Writes <output.form> at build time: the template with the line holding only @<NAME>@ replaced by
# "<Property> = { ... }", the hexadecimal text of the file's bytes, 32 bytes a line. The bytes are
# preceded by their count as a 32-bit little-endian number (LENGTH_PREFIX: how a component's
# binary stream is framed) or by a graphic class name, one length byte then the name (CLASS_PREFIX:
# how a picture's data is framed). The file must not be empty.
#
# Run with -P, this file does the writing (variables TEMPLATE, PLACEHOLDER, PROPERTY, DATA, PREFIX,
# CLASS, OUTPUT).

if(CMAKE_SCRIPT_MODE_FILE)
    # A script sets no policies: without this, "CLASS" in the comparisons below would be read as
    # the variable CLASS (the class name) and a picture would lose its class prefix.
    cmake_policy(SET CMP0054 NEW)
    # `value` as `bytes` little-endian bytes in hexadecimal.
    function(orvo_hex_le value bytes out)
        math(EXPR hex "${value}" OUTPUT_FORMAT HEXADECIMAL)
        string(SUBSTRING "${hex}" 2 -1 hex)
        string(LENGTH "${hex}" digits)
        math(EXPR pad "${bytes} * 2 - ${digits}")
        if(pad LESS 0)
            message(FATAL_ERROR "${value} does not fit in ${bytes} bytes")
        endif()
        string(REPEAT "0" ${pad} zeros)
        set(hex "${zeros}${hex}")
        set(result "")
        math(EXPR last "${bytes} - 1")
        foreach(i RANGE ${last} 0 -1)
            math(EXPR offset "${i} * 2")
            string(SUBSTRING "${hex}" ${offset} 2 byte)
            string(APPEND result "${byte}")
        endforeach()
        set(${out} "${result}" PARENT_SCOPE)
    endfunction()

    file(SIZE "${DATA}" size)
    if(size EQUAL 0 OR size GREATER 2147483647)
        message(FATAL_ERROR "${DATA}: cannot be stored in a form (${size} bytes)")
    endif()
    if(PREFIX STREQUAL "LENGTH")
        orvo_hex_le(${size} 4 prefix)
    elseif(PREFIX STREQUAL "CLASS")
        string(LENGTH "${CLASS}" length)
        if(length EQUAL 0 OR length GREATER 255)
            message(FATAL_ERROR "bad graphic class name '${CLASS}'")
        endif()
        orvo_hex_le(${length} 1 prefix)
        string(HEX "${CLASS}" name)
        string(APPEND prefix "${name}")
    else()
        set(prefix "")
    endif()
    file(READ "${DATA}" hex HEX)
    string(TOUPPER "${prefix}${hex}" hex)
    string(REPEAT "." 64 line)
    string(REGEX REPLACE "(${line})" "\\1\n      " hex "${hex}")
    string(STRIP "${hex}" hex)
    file(READ "${TEMPLATE}" text)
    string(REGEX MATCH "[ \t]*@${PLACEHOLDER}@" placeholder "${text}")
    if(NOT placeholder)
        message(FATAL_ERROR "${TEMPLATE}: no @${PLACEHOLDER}@ line")
    endif()
    string(REPLACE "@${PLACEHOLDER}@" "${PROPERTY} = {\n      ${hex}}" text "${text}")
    file(WRITE "${OUTPUT}" "${text}")
    return()
endif()

set(ORVO_FORM_DATA_SCRIPT ${CMAKE_CURRENT_LIST_FILE} CACHE INTERNAL "")

function(orvo_form_data output)
    cmake_parse_arguments(F "LENGTH_PREFIX" "TEMPLATE;PLACEHOLDER;PROPERTY;DATA;CLASS_PREFIX" "DEPENDS" ${ARGN})
    foreach(required TEMPLATE PLACEHOLDER PROPERTY DATA)
        if(NOT F_${required})
            message(FATAL_ERROR "orvo_form_data(${output}): ${required} is required")
        endif()
    endforeach()
    set(prefix NONE)
    if(F_LENGTH_PREFIX)
        set(prefix LENGTH)
    elseif(F_CLASS_PREFIX)
        set(prefix CLASS)
    endif()
    get_filename_component(template "${F_TEMPLATE}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(data "${F_DATA}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(output "${output}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
    add_custom_command(OUTPUT "${output}"
        COMMAND ${CMAKE_COMMAND} "-DTEMPLATE=${template}" "-DPLACEHOLDER=${F_PLACEHOLDER}"
                "-DPROPERTY=${F_PROPERTY}" "-DDATA=${data}" "-DPREFIX=${prefix}"
                "-DCLASS=${F_CLASS_PREFIX}" "-DOUTPUT=${output}" -P "${ORVO_FORM_DATA_SCRIPT}"
        DEPENDS "${template}" "${data}" "${ORVO_FORM_DATA_SCRIPT}" ${F_DEPENDS}
        COMMENT "Storing ${data} in ${output}"
        VERBATIM)
endfunction()
