# Cross build of the shipped Windows program: 32-bit x86, mingw-w64 from Debian (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
# The project probes the compiler and adds -msse2 -mfpmath=sse here: no x87 intermediates.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KROPPSTALL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-felles.cmake)
