# `cpack -G DEB` builds the Debian package from the install rules. Library
# dependencies are read from the programs; the music needs a General MIDI
# sound font, which no library names.
set(FUSELARK3_MAINTAINER "FUSELARK3 developers <maintainers@fuselark3.example.org>" CACHE STRING
    "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME fuselark3)
set(CPACK_PACKAGE_VENDOR "FUSELARK3 developers")
set(CPACK_PACKAGE_CONTACT ${FUSELARK3_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arena game for two to four players on one keyboard")
set(CPACK_PACKAGE_DESCRIPTION
    "Each player steers a figure over a field of 25 by 15 cells and plants bombs\n"
    "whose fire burns boxes, reveals items and hurts the other figures. Three kinds\n"
    "of match (Normal, Most Kills, Most Lives), a level editor and per-player keys.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
# A Debian package always installs under /usr; the game finds its files
# relative to itself, so any build folder can make the package.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian's "games" section, with every program in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${FUSELARK3_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | sf2-soundfont-gm")

# Every Debian package carries its copyright and changelog.
set(FUSELARK3_PACKAGE_DOCS ${CMAKE_BINARY_DIR}/package-docs)
add_custom_command(OUTPUT ${FUSELARK3_PACKAGE_DOCS}/changelog.gz
                   COMMAND gzip -9 -n -c ${PROJECT_SOURCE_DIR}/data/package/changelog > ${FUSELARK3_PACKAGE_DOCS}/changelog.gz
                   DEPENDS ${PROJECT_SOURCE_DIR}/data/package/changelog
                   VERBATIM)
file(MAKE_DIRECTORY ${FUSELARK3_PACKAGE_DOCS})
add_custom_target(fuselark3_package_docs ALL DEPENDS ${FUSELARK3_PACKAGE_DOCS}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/package/copyright ${FUSELARK3_PACKAGE_DOCS}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fuselark3)

include(CPack)
