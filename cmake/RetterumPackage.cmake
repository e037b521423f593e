# The Debian package (cpack -G DEB, or the target "deb"): the program and its tools in the data
# root's program folder, launchers, menu entry, icons, software-centre entry and manual pages
# under /usr. The data root's folders and recipes are made by its maintainer script, never
# packed, so that removing the package leaves every recipe.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME retterum)
set(CPACK_PACKAGE_VENDOR "Retterums udviklere")
set(CPACK_PACKAGE_CONTACT "Retterums udviklere <maintainers@users.noreply.c-seed-3d210aaf.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "opskriftsbog med ingredienser og formateret beskrivelse")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Retterum ordner opskrifter i hovedkategorier og underkategorier; hver opskrift
har en liste af ingredienslinjer og en formateret beskrivelse. Opskrifter, som
alle brugere af computeren deler, står ved siden af hver brugers private.
Brugerfladen er på dansk.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
# Everything but the plain install's data-root script.
set(CPACK_INSTALL_CMAKE_PROJECTS
  "${CMAKE_BINARY_DIR};Retterum;Unspecified;/"
  "${CMAKE_BINARY_DIR};Retterum;deb;/")

# The libraries the programs link are found by dpkg-shlibdeps; these are loaded at run time
# (CUPS when the first job is sent, the libraries opened on first use, the Danish Qt texts and
# the dictionary from their folders) or are the faces that the Windows fonts of recipes are
# shown in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
get_property(opened GLOBAL PROPERTY RETTERUM_OPENED_PACKAGES)
list(JOIN opened ", " opened)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${opened}, libcups2, hunspell-da, qt6-translations-l10n, fonts-dejavu-core, fonts-liberation2, fonts-crosextra-carlito, fonts-crosextra-caladea, fonts-comic-neue, fonts-open-sans, fonts-urw-base35")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/deb/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# The package is what users run: cpack refuses a build that is not optimised.
set(CPACK_RETTERUM_BUILD_TYPE "${CMAKE_BUILD_TYPE}")
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/RetterumPackageCheck.cmake)

include(CPack)

add_custom_target(deb
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS retterum retterum-hent retterum-kopi retterum-liste man_pages deb_changelog
  COMMENT "Making the Debian package"
  VERBATIM)
