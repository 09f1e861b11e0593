# Compiler options shared by every target of the project's own; third-party code (GoogleTest,
# Google Benchmark) is built with its own options and never with warnings as errors.

option(TAVRIN_WARNINGS_AS_ERRORS "Stop the build of the project's own code at any warning" ON)

function(tavrin_apply_options target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
        if(TAVRIN_WARNINGS_AS_ERRORS)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
            -Wold-style-cast -Wcast-align -Woverloaded-virtual)
        if(TAVRIN_WARNINGS_AS_ERRORS)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
    if(WIN32)
        # The windows are Unicode: texts go through the wide functions, converted from the tables'
        # code page 1252 (base/win/ui_text.h); the ANSI functions serve only where a name is
        # plain ASCII or comes as code page 1252 bytes from the registry or a file. No
        # <windows.h> macros for min and max.
        target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX
            _WIN32_WINNT=0x0601 WINVER=0x0601 DIRECTINPUT_VERSION=0x0800)
    endif()
endfunction()

if(TAVRIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Everything a fuzzer links is instrumented, so that libFuzzer can steer by its coverage.
if(TAVRIN_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Windows programs are linked statically, so that they need no MinGW runtime DLLs.
function(tavrin_windows_program target)
    tavrin_apply_options(${target})
    if(MINGW)
        target_link_options(${target} PRIVATE -static)
    endif()
endfunction()
