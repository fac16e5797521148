# Stored forms compiled into a program as RCDATA resources.
#
#   orvo_add_forms(<executable> <form>... [NAME <resource name>] [DEPENDS <file or target>...])
#
# Each .form file becomes an RCDATA resource named after its root class in upper case (the first
# "object Name: TClass" line gives TClass -> TCLASS), which is what ReadComponentRes looks for;
# NAME overrides that for a single form. The name is read when the program is built, so a form
# produced during the build works: give its generated path and, when another directory produces
# it, the producing target in DEPENDS. The resources are linked as an object file into the
# executable (a static library would drop them).
#
# Run with -P, this file writes the .rc for the forms (variables FORMS, NAME, RC).

if(CMAKE_SCRIPT_MODE_FILE)
    set(text "")
    foreach(form IN LISTS FORMS)
        if(NAME)
            set(resource "${NAME}")
        else()
            file(READ "${form}" head LIMIT 4096)
            if(head MATCHES "object[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]*:[ \t]*([A-Za-z_][A-Za-z0-9_]*)")
                set(resource "${CMAKE_MATCH_2}")
            elseif(head MATCHES "object[ \t]+([A-Za-z_][A-Za-z0-9_]*)")
                set(resource "${CMAKE_MATCH_1}")
            else()
                message(FATAL_ERROR "${form}: no 'object Name: TClass' line at the start of the stored form")
            endif()
            string(TOUPPER "${resource}" resource)
        endif()
        string(REPLACE "\\" "/" path "${form}")
        string(APPEND text "${resource} RCDATA \"${path}\"\n")
    endforeach()
    file(WRITE "${RC}" "${text}")
    return()
endif()

set(ORVO_FORM_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_FILE} CACHE INTERNAL "")

function(orvo_add_forms target)
    cmake_parse_arguments(F "" "NAME" "DEPENDS" ${ARGN})
    set(forms "")
    foreach(form IN LISTS F_UNPARSED_ARGUMENTS)
        get_filename_component(form "${form}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
        list(APPEND forms "${form}")
    endforeach()
    list(LENGTH forms count)
    if(count EQUAL 0)
        message(FATAL_ERROR "orvo_add_forms(${target}): no form given")
    endif()
    if(F_NAME AND NOT count EQUAL 1)
        message(FATAL_ERROR "orvo_add_forms(${target}): NAME needs exactly one form")
    endif()
    # One .rc per call, so a target may call this more than once.
    get_property(serial TARGET ${target} PROPERTY ORVO_FORM_SERIAL)
    if(NOT serial)
        set(serial 0)
    endif()
    math(EXPR serial "${serial} + 1")
    set_property(TARGET ${target} PROPERTY ORVO_FORM_SERIAL ${serial})

    set(base "${CMAKE_CURRENT_BINARY_DIR}/${target}_forms${serial}")
    string(REPLACE ";" "\\;" forms_arg "${forms}")
    add_custom_command(
        OUTPUT "${base}.rc" "${base}.res.obj"
        COMMAND ${CMAKE_COMMAND} "-DFORMS=${forms_arg}" "-DNAME=${F_NAME}" "-DRC=${base}.rc"
                -P "${ORVO_FORM_RESOURCES_SCRIPT}"
        COMMAND ${CMAKE_RC_COMPILER} -O coff -i "${base}.rc" -o "${base}.res.obj"
        DEPENDS ${forms} "${ORVO_FORM_RESOURCES_SCRIPT}" ${F_DEPENDS}
        COMMENT "Compiling stored forms of ${target}"
        VERBATIM)
    set_source_files_properties("${base}.res.obj" PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
    target_sources(${target} PRIVATE "${base}.res.obj")
endfunction()
