# How a cross build's test programs run on the build machine. The Windows builds run them under Wine,
# all in one prefix per test run (booting a prefix costs seconds, a program in a booted one well under
# two); the Linux i686 build names qemu in its toolchain file.

if(CMAKE_CROSSCOMPILING AND WIN32 AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
        set(kroppstall_kan_kjore ON)
    else()
        if(NOT DEFINED KROPPSTALL_KJORER_32BIT)
            execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tools/kjorer-32bit
                            RESULT_VARIABLE svar ERROR_VARIABLE hvorfor ERROR_STRIP_TRAILING_WHITESPACE)
            if(svar EQUAL 0)
                set(ja ON)
            else()
                set(ja OFF)
                message(STATUS "${hvorfor}")
            endif()
            set(KROPPSTALL_KJORER_32BIT ${ja} CACHE BOOL "Wine runs 32-bit Windows programs here")
        endif()
        set(kroppstall_kan_kjore ${KROPPSTALL_KJORER_32BIT})
    endif()
    if(kroppstall_kan_kjore)
        set(KROPPSTALL_WINE_MAPPE ${PROJECT_BINARY_DIR}/wine)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-kjor --prefix ${KROPPSTALL_WINE_MAPPE})
    else()
        message(STATUS "The test programs of this build are built but not run: nothing here runs them")
    endif()
endif()

# Called once every test is defined: the Wine prefix is made by the first test of a run and removed,
# with its Wine server, after the last. Test programs that cannot run here are left out of ctest.
function(kroppstall_kryssprover_fikstur)
    if(NOT CMAKE_CROSSCOMPILING OR NOT WIN32)
        return()
    endif()
    set(mapper ${PROJECT_SOURCE_DIR}/tests)
    set(alle)
    while(mapper)
        list(POP_FRONT mapper mappe)
        list(APPEND alle ${mappe})
        get_property(under DIRECTORY ${mappe} PROPERTY SUBDIRECTORIES)
        list(APPEND mapper ${under})
    endwhile()

    if(NOT KROPPSTALL_WINE_MAPPE)
        # Listing their cases would need to run them: each program shows as one skipped test instead.
        foreach(mappe IN LISTS alle)
            get_property(inkluder DIRECTORY ${mappe} PROPERTY TEST_INCLUDE_FILES)
            if(NOT inkluder)
                continue()
            endif()
            set_property(DIRECTORY ${mappe} PROPERTY TEST_INCLUDE_FILES "")
            get_property(maal DIRECTORY ${mappe} PROPERTY BUILDSYSTEM_TARGETS)
            foreach(m IN LISTS maal)
                get_property(type TARGET ${m} PROPERTY TYPE)
                if(type STREQUAL "EXECUTABLE")
                    add_test(NAME ${m}.ikke_kjort
                             COMMAND sh -c "echo \"$1\"; exit 77" ikke_kjort
                                     "Built, not run: Wine cannot start this machine's 32-bit programs")
                    set_tests_properties(${m}.ikke_kjort PROPERTIES SKIP_RETURN_CODE 77)
                endif()
            endforeach()
        endforeach()
        return()
    endif()

    add_test(NAME wine.lag_prefiks
             COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --start-bare)
    add_test(NAME wine.rydd_prefiks
             COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-kjor --rydd ${KROPPSTALL_WINE_MAPPE})
    set_tests_properties(wine.lag_prefiks PROPERTIES FIXTURES_SETUP wine_prefiks TIMEOUT 180)
    set_tests_properties(wine.rydd_prefiks PROPERTIES FIXTURES_CLEANUP wine_prefiks TIMEOUT 60)

    # gtest_discover_tests names its cases when ctest starts, in <target>_TESTS; a file included after
    # its own puts them all in the fixture.
    foreach(mappe IN LISTS alle)
        get_property(maal DIRECTORY ${mappe} PROPERTY BUILDSYSTEM_TARGETS)
        get_property(binaer DIRECTORY ${mappe} PROPERTY BINARY_DIR)
        set(innhold "")
        foreach(m IN LISTS maal)
            string(APPEND innhold
                   "if(${m}_TESTS)\n"
                   "  set_tests_properties(\${${m}_TESTS} PROPERTIES FIXTURES_REQUIRED wine_prefiks)\n"
                   "endif()\n")
        endforeach()
        if(innhold)
            file(WRITE ${binaer}/wine_fikstur.cmake "${innhold}")
            set_property(DIRECTORY ${mappe} APPEND PROPERTY TEST_INCLUDE_FILES ${binaer}/wine_fikstur.cmake)
        endif()
    endforeach()
endfunction()
