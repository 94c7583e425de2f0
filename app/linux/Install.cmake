# Desktop integration under one reverse-DNS id: the program, its .desktop entry, its AppStream
# metainfo and hicolor icons, and a .deb made by CPack from the same install rules.
configure_file(${CMAKE_CURRENT_LIST_DIR}/kroppstall.desktop.in
               ${CMAKE_CURRENT_BINARY_DIR}/${KROPPSTALL_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kroppstall.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${KROPPSTALL_APP_ID}.metainfo.xml @ONLY)

install(TARGETS kroppstall RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Stripped as dh_strip does it, when CPack or --strip asks: beyond the symbols, the compiler's .comment
# and the .note section, which a package has no use for.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note --strip-unneeded
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/kroppstall\"
                    COMMAND_ERROR_IS_FATAL ANY)
endif()")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${KROPPSTALL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${KROPPSTALL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian wants the changelog and the manual page compressed with gzip -9n (no name, no time stamp,
# so the package builds the same bytes every time).
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kroppstall.1.in ${CMAKE_CURRENT_BINARY_DIR}/kroppstall.1 @ONLY)
find_program(GZIP gzip REQUIRED)
foreach(fil changelog kroppstall.1)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${fil}.gz
                       COMMAND ${GZIP} -9nf -k ${CMAKE_CURRENT_BINARY_DIR}/${fil}
                       DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${fil})
endforeach()
add_custom_target(kroppstall_dokumenter ALL
                  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${CMAKE_CURRENT_BINARY_DIR}/kroppstall.1.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/kroppstall.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kroppstall)

# Software centres show 64 and 128 pixels; the SVG serves every other size.
foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/../icons/kroppstall-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${KROPPSTALL_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../icons/kroppstall.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${KROPPSTALL_APP_ID}.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kroppstall)
set(CPACK_PACKAGE_VENDOR "${KROPPSTALL_COMPANY}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Body mass index calculator with a Norwegian user interface")
set(CPACK_PACKAGE_DESCRIPTION "Type a weight in kilograms and a height in centimetres: Kroppstall shows
the body mass index to one decimal and the weight class it falls in, and below
them a table of the class limits as BMI values or as body weights for that
height.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${KROPPSTALL_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KROPPSTALL_COMPANY} <${KROPPSTALL_CONTACT_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The window is laid out with the metrics of Liberation Sans (those of Arial and MS Sans Serif), so the
# package depends on it, and on xdg-open, with which the menus start the mail program and the browser.
# In a Wayland session Qt draws natively only through its Wayland plugin; without it, through XWayland.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-wine")
include(CPack)
