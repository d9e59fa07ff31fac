# A Debian package of the installed program; its Qt runtime comes in as dependencies.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavlo)
set(CPACK_PACKAGE_VENDOR "TAVLO")
set(CPACK_PACKAGE_CONTACT "TAVLO <tavlo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Gallerie web di foto, film e suoni di una cartella")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found by no library scan: the platform plugins, the browser opener and a font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, xdg-utils, fonts-dejavu-core | fonts-liberation")
include(CPack)
