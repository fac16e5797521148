# Stored forms that carry a skin store as their skin component's SkinStream data.
#
#   orvo_skin_stream_form(<output.form> TEMPLATE <template.form> [STORE <store.skn>] [DEPENDS <file or target>...])
#
# Writes <output.form> at build time: the template with every line holding only @SKIN_STREAM@
# replaced by "SkinStream = { ... }", the store's bytes framed as the component reads them (a
# 32-bit little-endian length, then the store). STORE defaults to the default skin packed by
# skins/ (target orvo_default_skin). Compile the result with orvo_add_forms(... DEPENDS <target>),
# where <target> is a custom target over <output.form>.

include(FormData)

function(orvo_skin_stream_form output)
    cmake_parse_arguments(F "" "TEMPLATE;STORE" "DEPENDS" ${ARGN})
    if(NOT F_TEMPLATE)
        message(FATAL_ERROR "orvo_skin_stream_form(${output}): TEMPLATE is required")
    endif()
    set(depends ${F_DEPENDS})
    if(F_STORE)
        set(store "${F_STORE}")
    else()
        # skins/ is configured after this directory; its output path and target are fixed.
        set(store "${CMAKE_BINARY_DIR}/skins/default.skn")
        list(APPEND depends orvo_default_skin)
    endif()
    orvo_form_data("${output}" TEMPLATE "${F_TEMPLATE}" PLACEHOLDER SKIN_STREAM PROPERTY SkinStream
                   DATA "${store}" LENGTH_PREFIX DEPENDS ${depends})
endfunction()
