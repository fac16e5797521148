# Stored forms that carry a skin store as their skin component's SkinStream data.
#
#   orvo_skin_stream_form(<output.form> TEMPLATE <template.form> [STORE <store.skn>] [DEPENDS <file or target>...])
#
# Writes <output.form> at build time: the template with every line holding only @SKIN_STREAM@
# replaced by "SkinStream = { ... }", the store's bytes framed as the component reads them (a
# 32-bit little-endian length, then the store). STORE defaults to the default skin packed by
# skins/ (target orvo_default_skin). Compile the result with orvo_add_forms(... DEPENDS <target>),
# where <target> is a custom target over <output.form>.
#
# Run with -P, this file does the writing (variables TEMPLATE, STORE, OUTPUT).

if(CMAKE_SCRIPT_MODE_FILE)
    file(SIZE "${STORE}" size)
    if(size EQUAL 0 OR size GREATER 2147483647)
        message(FATAL_ERROR "${STORE}: not a skin store (${size} bytes)")
    endif()
    # The length as four little-endian bytes.
    math(EXPR length "${size}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${length}" 2 -1 length)
    string(LENGTH "${length}" digits)
    math(EXPR pad "8 - ${digits}")
    string(REPEAT "0" ${pad} zeros)
    set(length "${zeros}${length}")
    set(framing "")
    foreach(offset 6 4 2 0)
        string(SUBSTRING "${length}" ${offset} 2 byte)
        string(APPEND framing "${byte}")
    endforeach()
    file(READ "${STORE}" hex HEX)
    string(TOUPPER "${framing}${hex}" hex)
    # 32 bytes a line.
    string(REPEAT "." 64 line)
    string(REGEX REPLACE "(${line})" "\\1\n      " hex "${hex}")
    string(STRIP "${hex}" hex)
    file(READ "${TEMPLATE}" text)
    string(REGEX MATCH "[ \t]*@SKIN_STREAM@" placeholder "${text}")
    if(NOT placeholder)
        message(FATAL_ERROR "${TEMPLATE}: no @SKIN_STREAM@ line")
    endif()
    string(REPLACE "@SKIN_STREAM@" "SkinStream = {\n      ${hex}}" text "${text}")
    file(WRITE "${OUTPUT}" "${text}")
    return()
endif()

set(ORVO_SKIN_STREAM_FORM_SCRIPT ${CMAKE_CURRENT_LIST_FILE} CACHE INTERNAL "")

function(orvo_skin_stream_form output)
    cmake_parse_arguments(F "" "TEMPLATE;STORE" "DEPENDS" ${ARGN})
    if(NOT F_TEMPLATE)
        message(FATAL_ERROR "orvo_skin_stream_form(${output}): TEMPLATE is required")
    endif()
    get_filename_component(template "${F_TEMPLATE}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(output "${output}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
    set(depends ${F_DEPENDS})
    if(F_STORE)
        set(store "${F_STORE}")
    else()
        # skins/ is configured after this directory; its output path and target are fixed.
        set(store "${CMAKE_BINARY_DIR}/skins/default.skn")
        list(APPEND depends orvo_default_skin)
    endif()
    add_custom_command(OUTPUT "${output}"
        COMMAND ${CMAKE_COMMAND} "-DTEMPLATE=${template}" "-DSTORE=${store}" "-DOUTPUT=${output}"
                -P "${ORVO_SKIN_STREAM_FORM_SCRIPT}"
        DEPENDS "${template}" "${store}" "${ORVO_SKIN_STREAM_FORM_SCRIPT}" ${depends}
        COMMENT "Storing the skin ${store} in ${output}"
        VERBATIM)
endfunction()
