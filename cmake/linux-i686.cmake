# The core and window logic built for 32-bit x86 Linux with the Windows program's floating-point flags,
# and run under qemu: the 32-bit code of the shipped exe checked on a machine that runs no 32-bit code.
set(CMAKE_SYSTEM_NAME Linux)
# The project probes the compiler and adds -msse2 -mfpmath=sse here: no x87 intermediates.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/i686-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static programs, so qemu needs no i386 libraries of the build machine.
set(KROPPSTALL_LINK_STATIC ON)
find_program(KROPPSTALL_QEMU_I386 qemu-i386-static REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KROPPSTALL_QEMU_I386})
