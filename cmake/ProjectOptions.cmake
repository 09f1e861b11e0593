# Compiler options shared by every target of the project.

function(tavrin_apply_options target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /permissive- /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor
            -Wold-style-cast -Wcast-align -Woverloaded-virtual)
    endif()
    if(WIN32)
        # ANSI Windows APIs throughout; no <windows.h> macros for min and max.
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
