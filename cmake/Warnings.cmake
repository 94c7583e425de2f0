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

# Results must be bit-exact: no fused multiply-add and no 80-bit x87 intermediates. What decides the
# latter is the compiler's evaluation method, not the processor's name in the toolchain file (a file
# that says x86_64 but runs i686-linux-gnu-g++ or g++ -m32 still gets x87 math), so that is probed.
add_library(kroppstall_exact_fp INTERFACE)
if(NOT MSVC)
    target_compile_options(kroppstall_exact_fp INTERFACE -ffp-contract=off -fno-fast-math)
    include(CheckCXXSourceCompiles)
    set(kroppstall_eval_prove [=[
#include <cfloat>
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error intermediates wider than their type
#endif
int main() { return 0; }
]=])
    set(CMAKE_REQUIRED_QUIET ON)
    check_cxx_source_compiles("${kroppstall_eval_prove}" KROPPSTALL_FP_SMAL_UTEN_FLAGG)
    if(NOT KROPPSTALL_FP_SMAL_UTEN_FLAGG)
        set(CMAKE_REQUIRED_FLAGS "-msse2 -mfpmath=sse")
        check_cxx_source_compiles("${kroppstall_eval_prove}" KROPPSTALL_FP_SMAL_MED_SSE2)
        unset(CMAKE_REQUIRED_FLAGS)
        if(NOT KROPPSTALL_FP_SMAL_MED_SSE2)
            message(FATAL_ERROR
                "${CMAKE_CXX_COMPILER} evaluates floating-point expressions in a wider type "
                "(FLT_EVAL_METHOD is not 0), even with -msse2 -mfpmath=sse: the calculation would give "
                "wrong results. Use a compiler or flags for a target with SSE2 (or another target whose "
                "double arithmetic is plain IEEE double).")
        endif()
        message(STATUS "Floating point: -msse2 -mfpmath=sse, so no x87 intermediates")
        target_compile_options(kroppstall_exact_fp INTERFACE -msse2 -mfpmath=sse)
    endif()
    unset(CMAKE_REQUIRED_QUIET)
endif()
