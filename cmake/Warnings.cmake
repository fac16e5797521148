# Project-wide compiler settings: high warning levels for our own targets only.
function(orvo_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                           -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference -Wformat=2)
endfunction()

if(WIN32)
    # Wide Win32 API throughout; Windows 7 is the oldest system we call into.
    add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()
