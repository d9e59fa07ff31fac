# A Debian package of the installed program; its Qt runtime comes in as dependencies.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavlo)
set(CPACK_PACKAGE_VENDOR "TAVLO")
set(CPACK_PACKAGE_CONTACT "TAVLO maintainers <maintainers@tavlo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Gallerie web di foto, film e suoni di una cartella")
set(CPACK_PACKAGE_DESCRIPTION
    "TAVLO raccoglie le immagini, i suoni, i filmati e le pagine web di una cartella
e delle sue sotto cartelle e ne fa un piccolo sito statico: una pagina di
riquadri con le miniature e le didascalie, oppure una serie di pagine con una
pagina indice, ognuna con le sue pagine di visione, e la apre nel browser.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# Found by no library scan: the platform and image format plugins, the browser opener, and the
# window's faces (Liberation Sans and its narrow face).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins, qt6-translations-l10n, xdg-utils, fonts-liberation")

# The package's own documents: its licence in Debian's form and its change log.
if(TAVLO_WITH_QT)
    tavlo_install_gzipped(tavlo_changelog ${PROJECT_SOURCE_DIR}/cmake/debian/changelog ${CMAKE_INSTALL_DOCDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
include(CPack)
