# The Debian package: `cpack -G DEB` in the build folder (scripts/package.sh does it from a clean
# clone). The libraries it needs are found by dpkg-shlibdeps from the program and its plugins
# (libgeonames0 from the atlas plugin, and with it the town names in libgeonames-common); the
# fonts it draws with are named here, since the program loads them by name and no library links
# them.
set(CPACK_PACKAGE_NAME zeitrad)
set(CPACK_PACKAGE_VENDOR "Kelmora Verlag")
set(CPACK_PACKAGE_CONTACT "Kelmora Verlag <verlag@kelmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vimsottari dasa periods of a birth")
# The lines of the long description stay within 80 characters.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Zeitrad computes the Vimsottari dasa periods of Vedic astrology for one birth\n\
and shows the 120-year cycle as a grid of mahadasas and antardasas, with the\n\
list of all periods and their dates. zeitrad-dasa gives the same periods on\n\
the command line as text, CSV or JSON. German user interface.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.kelmora.example")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation stands in for Arial and Times New Roman, DejaVu for every face that is missing;
# Tahoma is compiled into the program.
# The SQLite driver of Qt SQL and Qt's German translation are loaded by name at run time, so no
# library check finds them; nor the Swiss Ephemeris's data files, which the statically linked
# library opens when the Moon is first asked for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation, fonts-dejavu-core, libqt6sql6-sqlite, qt6-translations-l10n, swe-basic-data")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
