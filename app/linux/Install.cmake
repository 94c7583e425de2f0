# Desktop integration under one reverse-DNS id: the program, its .desktop entry, its AppStream
# metainfo and hicolor icons, and a .deb made by CPack from the same install rules.
configure_file(${CMAKE_CURRENT_LIST_DIR}/kroppstall.desktop.in
               ${CMAKE_CURRENT_BINARY_DIR}/${KROPPSTALL_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kroppstall.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${KROPPSTALL_APP_ID}.metainfo.xml @ONLY)

install(TARGETS kroppstall RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${KROPPSTALL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${KROPPSTALL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/../icons/kroppstall-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${KROPPSTALL_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kroppstall)
set(CPACK_PACKAGE_VENDOR "${KROPPSTALL_COMPANY}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Body mass index calculator with a Norwegian user interface")
set(CPACK_PACKAGE_HOMEPAGE_URL "${KROPPSTALL_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KROPPSTALL_COMPANY} <${KROPPSTALL_CONTACT_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window is laid out with the metrics of Liberation Sans (those of Arial and MS Sans Serif), so the
# package depends on it; xdg-open starts the mail program and the browser.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-wine")
include(CPack)
