# Shared by the two mingw-w64 toolchain files, which set CMAKE_SYSTEM_PROCESSOR and the triplet.
# The -posix compilers: GoogleTest needs std::mutex, which the -win32 thread model lacks. The shipped
# kroppstall.exe still links the -win32 C++ runtime, without winpthread (app/windows/CMakeLists.txt).
set(CMAKE_C_COMPILER ${KROPPSTALL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KROPPSTALL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KROPPSTALL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KROPPSTALL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
