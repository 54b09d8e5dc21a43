# The Debian package: cpack -G DEB in the build folder gives
# quillora_<version>_amd64.deb. The Qt libraries the program links come from
# dpkg-shlibdeps (with the browser engine's helper process); the rest is what it
# needs at run time without linking it: the font of its mark, and Apertium APy's
# modules with one language pair for the translation server the program runs itself
# (on this machine's loopback only, through its own launcher; the system service of
# the apertium-apy package is not needed), recommending a second pair and suggesting
# the other English ones.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillora)
set(CPACK_PACKAGE_VENDOR "The Quillora developers")
set(CPACK_PACKAGE_CONTACT "The Quillora developers <maintainers@quillora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "translates the text you select in any application")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, python3, apertium-apy, apertium-eng-spa")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "apertium-eng-cat")
# Debian's other pairs with English, for whoever reads or writes those languages.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
    "apertium-en-gl, apertium-eo-en, apertium-hbs-eng, apertium-eu-en, apertium-isl-eng, apertium-mkd-eng")
# The summary above is the synopsis; this is the extended description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillora lives in the notification area. When you finish selecting text in
any application it copies the selection, translates it offline through its own
Apertium translation server, reachable only from this machine, and shows the
translation in a small popup beside the pointer. Your clipboard is given back
as it was.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/data/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
