# Strict warnings for the project's own targets only; third-party headers come in as SYSTEM.
add_library(kroppstall_warnings INTERFACE)
if(MSVC)
    target_compile_options(kroppstall_warnings INTERFACE /W4 /WX /permissive-)
else()
    target_compile_options(kroppstall_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Werror
        -Wconversion -Wsign-conversion -Wshadow -Wdouble-promotion
        -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
        -Wimplicit-fallthrough -Wnull-dereference)
endif()

# Results must be bit-exact: no fused multiply-add and, on 32-bit x86, no 80-bit x87 intermediates.
add_library(kroppstall_exact_fp INTERFACE)
if(NOT MSVC)
    target_compile_options(kroppstall_exact_fp INTERFACE -ffp-contract=off -fno-fast-math)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
        target_compile_options(kroppstall_exact_fp INTERFACE -msse2 -mfpmath=sse)
    endif()
endif()
