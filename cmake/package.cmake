# The manual page and the Debian changelog, compressed as Debian wants
# them (gzip -9, without a name or a time stamp), and the copyright file.
configure_file(${PROJECT_SOURCE_DIR}/assets/tickora.1.in ${PROJECT_BINARY_DIR}/doc/tickora.1 @ONLY)
set(TICKORA_DOCS_SOURCE ${PROJECT_BINARY_DIR}/doc/tickora.1 ${PROJECT_SOURCE_DIR}/assets/debian/changelog)
set(TICKORA_DOCS ${PROJECT_BINARY_DIR}/doc/tickora.1.gz ${PROJECT_BINARY_DIR}/doc/changelog.gz)
foreach(source output IN ZIP_LISTS TICKORA_DOCS_SOURCE TICKORA_DOCS)
    add_custom_command(OUTPUT ${output}
        COMMAND sh -c "gzip -9 -n -c \"$1\" >\"$2\"" gzip ${source} ${output}
        DEPENDS ${source} VERBATIM)
endforeach()
add_custom_target(tickora_docs ALL DEPENDS ${TICKORA_DOCS})
set(TICKORA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tickora)
install(FILES ${PROJECT_BINARY_DIR}/doc/tickora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_BINARY_DIR}/doc/changelog.gz assets/debian/copyright DESTINATION ${TICKORA_DOC_DIR})

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
# Qt's own Italian texts for its stock dialogs, and the event-sound library
# and sound theme the hourly chime plays with (loaded when it first
# sounds); the program runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, libcanberra0, sound-theme-freedesktop")
# The architecture is dpkg's own (dpkg --print-architecture), CPack's default.

include(CPack)
