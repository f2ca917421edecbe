# The Debian package: cpack -G DEB in the build folder. Its dependencies
# are worked out by dpkg-shlibdeps from the libraries the program links.
set(CPACK_PACKAGE_NAME tickora)
set(CPACK_PACKAGE_VENDOR "Marta Ferrandi")
set(CPACK_PACKAGE_CONTACT "Marta Ferrandi <mf@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analog desk clock and calendar")
set(CPACK_PACKAGE_DESCRIPTION "\
A small analog clock docked at the right edge of the screen, with a
fold-out panel showing the long date, the time and a month calendar.
It can be translucent, stay on top of other windows and hide itself
so that only its bar is left on screen. The interface is in Italian.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://tickora.example/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Italian texts for its stock dialogs; the program runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
# The architecture is dpkg's own (dpkg --print-architecture), CPack's default.

include(CPack)
