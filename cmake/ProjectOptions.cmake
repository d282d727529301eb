# Warnings on our own targets; sanitizer and fuzzer flags for the whole build.

# Errors only where our scripts and CI build: other compilers and optimisation levels may warn
# falsely, and that must not stop someone else's build.
option(DRAVELIN_WERROR "Treat compiler warnings as errors" OFF)

function(dravelin_target target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(DRAVELIN_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# Windows' wide functions throughout: the program's text is UTF-8 and converted at the border.
if(WIN32)
    add_compile_definitions(UNICODE _UNICODE)
endif()

if(DRAVELIN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# The threads' sharing checked by ThreadSanitizer: scripts/thread-check.sh builds the sound path
# with it.
if(DRAVELIN_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()

if(DRAVELIN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "DRAVELIN_FUZZ needs clang (CXX=clang++)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
