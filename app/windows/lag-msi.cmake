# Builds the MSI from the configured kroppstall.wxs: cmake -DWXS=... -DPROGRAM=... -DLESMEG=... -DIKON=...
# -DVERSJON=a.b.c.d -DOPPGRADERINGSKODE=... -DNAVN=... -DPRODUSENT=... -DSPRAK=... -DSTRIP=... -DWIXL=...
# -DMSIBUILD=... -DFAKETIME=... -DUT=PACKAGE.msi -P lag-msi.cmake
#
# The same inputs and SOURCE_DATE_EPOCH give the same bytes. wixl itself writes a random package code
# and the clock's time into the summary, and each file's modification time into the cabinet; so the
# files go in as copies dated SOURCE_DATE_EPOCH, wixl runs on a clock stopped there, and msibuild then
# writes a package code made from the inputs. Without SOURCE_DATE_EPOCH the time is now.
cmake_minimum_required(VERSION 3.25)

foreach(navn WXS PROGRAM LESMEG IKON VERSJON OPPGRADERINGSKODE NAVN PRODUSENT SPRAK STRIP WIXL MSIBUILD FAKETIME
             UT)
    if(NOT DEFINED ${navn})
        message(FATAL_ERROR "lag-msi.cmake: -D${navn}=... is missing")
    endif()
endforeach()

# Both honour SOURCE_DATE_EPOCH.
string(TIMESTAMP tid "%s" UTC)
string(TIMESTAMP klokke "%Y-%m-%d %H:%M:%S" UTC)

# The files under the names the package gives them; the program stripped, as in the ZIP.
set(mappe "${UT}.filer")
file(REMOVE_RECURSE "${mappe}")
file(MAKE_DIRECTORY "${mappe}")
file(COPY_FILE "${PROGRAM}" "${mappe}/kroppstall.exe")
file(COPY_FILE "${LESMEG}" "${mappe}/LESMEG.txt")
file(COPY_FILE "${IKON}" "${mappe}/kroppstall.ico")
execute_process(COMMAND "${STRIP}" "${mappe}/kroppstall.exe" COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND touch -d "@${tid}" kroppstall.exe LESMEG.txt kroppstall.ico
                WORKING_DIRECTORY "${mappe}" COMMAND_ERROR_IS_FATAL ANY)

# The size "Programs and Features" shows, in KiB rounded up.
file(SIZE "${mappe}/kroppstall.exe" program_bytes)
file(SIZE "${mappe}/LESMEG.txt" lesmeg_bytes)
math(EXPR storrelse "(${program_bytes} + ${lesmeg_bytes} + 1023) / 1024")

# Each version is a product of its own, so that the next one replaces it.
string(UUID produktkode NAMESPACE "${OPPGRADERINGSKODE}" NAME "ProductCode ${VERSJON}" TYPE SHA1 UPPER)
# Windows Installer compares three fields of a version: every a.b.c.x lies below "a.b.(c+1)".
if(NOT VERSJON MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.[0-9]+$")
    message(FATAL_ERROR "lag-msi.cmake: ${VERSJON} is not a four-part version")
endif()
math(EXPR bygg "${CMAKE_MATCH_3} + 1")
set(neste_bygg "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.${bygg}")

set(inn "${VERSJON} ${tid}")
foreach(fil "${WXS}" "${mappe}/kroppstall.exe" "${mappe}/LESMEG.txt" "${mappe}/kroppstall.ico")
    file(SHA256 "${fil}" sum)
    string(APPEND inn " ${sum}")
endforeach()
string(UUID pakkekode NAMESPACE "${OPPGRADERINGSKODE}" NAME "PackageCode ${inn}" TYPE SHA1 UPPER)

file(REMOVE "${UT}")
# An absolute time without "@" stops libfaketime's clock there.
execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env TZ=UTC "${FAKETIME}" -f "${klokke}"
            "${WIXL}" -a x86 -D "Versjon=${VERSJON}" -D "Produktkode=${produktkode}" -D "NesteBygg=${neste_bygg}"
            -D "Storrelse=${storrelse}" -o "${UT}" "${WXS}"
    WORKING_DIRECTORY "${mappe}" COMMAND_ERROR_IS_FATAL ANY)
# wixl's template names US English whatever the product's language is.
execute_process(COMMAND "${MSIBUILD}" "${UT}" -s "${NAVN}" "${PRODUSENT}" "Intel;${SPRAK}" "{${pakkekode}}"
                COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${mappe}")
