# GoogleTest from Debian's source package, compiled with the current toolchain (native or MinGW),
# so the Windows test binaries link the same way as the program.
set(ORVO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${ORVO_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${ORVO_GTEST_SOURCE} (apt install googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${ORVO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/_deps/googletest EXCLUDE_FROM_ALL SYSTEM)

# orvo_add_test(NAME SOURCES file... [LIBS lib...] [GUI])
# One ctest test per binary: under Wine starting a process costs far more than a test case.
function(orvo_add_test name)
    cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
    orvo_warnings(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    if(WIN32)
        # The splitter started by a test keeps its settings in the build, not in the user's
        # application-data folder of the test prefix (tests that look at settings choose their own).
        set_tests_properties(${name} PROPERTIES ENVIRONMENT "ORVO_SETTINGS_DIR=Z:${CMAKE_BINARY_DIR}/test-settings")
        # Tests that need a display are marked so that ctest -L gui can pick them out.
        if(T_GUI)
            set_tests_properties(${name} PROPERTIES LABELS "win;gui")
        else()
            set_tests_properties(${name} PROPERTIES LABELS "win")
        endif()
    else()
        set_tests_properties(${name} PROPERTIES LABELS "host")
    endif()
endfunction()
