# The build that makes the .deb takes Debian's compiler and linker flags, as debhelper would hand them to
# a package: -O2 with _FORTIFY_SOURCE, the stack protector, format checks and full RELRO (bind now).
# dpkg-buildflags runs in the source folder, which its file-prefix map names.
option(KROPPSTALL_DEBIAN_FLAGG "Build with the flags of dpkg-buildflags and make the .deb (deb preset)" OFF)
if(KROPPSTALL_DEBIAN_FLAGG)
    find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
    foreach(flagg CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                                ${DPKG_BUILDFLAGS} --get ${flagg}
                        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                        OUTPUT_VARIABLE debian_${flagg} OUTPUT_STRIP_TRAILING_WHITESPACE
                        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
    string(APPEND CMAKE_CXX_FLAGS " ${debian_CPPFLAGS} ${debian_CXXFLAGS}")
    string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
    string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${debian_LDFLAGS}")
    # Optimisation and debug information come from Debian's flags alone.
    set(CMAKE_CXX_FLAGS_RELEASE "-DNDEBUG")
    message(STATUS "Debian flags: ${CMAKE_CXX_FLAGS} | ${CMAKE_EXE_LINKER_FLAGS}")
endif()
