# The Debian package of the programs, built by CPack from the install rules
# of cmake/Install.cmake:
#   cpack -G DEB            (in the build folder; or scripts/package.sh)
# Its libraries come from dpkg-shlibdeps; the fonts the windows, pages and
# PDF files draw with and Qt's own translations are added by name.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Zelvanor GmbH")
set(CPACK_PACKAGE_CONTACT "Zelvanor GmbH <info@zelvanor.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.zelvanor.example")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "size air-to-air cross-flow plate heat exchangers")
# The long description, in lines for the package's control file.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Tavro sizes air-to-air cross-flow plate heat exchangers, the"
    "heat-recovery block of ventilation and air-handling units. From the"
    "outside air and the return air it computes the outlet states, the"
    "temperature efficiency (EN 308) or effectiveness (ASHRAE 84 / AHRI"
    "1060), the heat recovered, the condensate, the pressure drops and the EN"
    "13053 heat-recovery class, and checks them against the product's limits."
    "The results go on a data sheet, an h-x (Mollier) or psychrometric chart"
    "and a product description, printed or as PDF, in six languages and in SI"
    "or inch-pound units."
    ""
    "The package holds the desktop program tavro, the command-line"
    "calculator tavro-calc and the calculation library libtavro with its C"
    "header, pkg-config file and CMake package.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Liberation Sans draws "Arial" and "Tahoma", WenQuanYi Micro Hei Chinese;
# Qt's translations give its dialogs the program's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-wqy-microhei, qt6-translations-l10n")
# PDF viewers on poppler need its data for the Chinese fonts the PDF files
# name without embedding them; xdg-open opens the PDF files and web links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "poppler-data, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
