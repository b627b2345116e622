# The Debian package, made from a build with `cpack -G DEB` in its folder: the install layout of
# `cmake --install` under the prefix /usr, with the program folder in /usr/lib/kelvora. Its
# dependencies are read from the binaries by dpkg-shlibdeps (Debian package dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvora)
set(CPACK_PACKAGE_VENDOR "The Kelvora developers")
set(CPACK_PACKAGE_CONTACT "The Kelvora developers <maintainers@users.noreply.c-seed-158db4b2.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "diary of diet, physical activity and body measurements")
# Wrapped and split into paragraphs as Debian shows it; read here, as CPack would escape the text
# of a description file for XML.
file(READ "${PROJECT_SOURCE_DIR}/packaging/debian/description" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/packaging/debian/description")

# The launcher and the desktop entry name their final place, so the files are staged with DESTDIR
# under the real prefix rather than installed into a prefix inside the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The control library is the program's own, found beside it through $ORIGIN; no other package
# provides it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${KELVORA_OUTPUT_DIR}")

# What only the package carries: Debian's copyright and changelog, the manual page, lintian's
# overrides, and the shipped diary made read-only for everybody.
set(CPACK_KELVORA_FILES_DIR "${PROJECT_SOURCE_DIR}/packaging/debian")
set(CPACK_KELVORA_PROGRAM_DIR "${KELVORA_INSTALL_DIR}")
set(CPACK_PRE_BUILD_SCRIPTS "${PROJECT_SOURCE_DIR}/packaging/debian-staging.cmake")

include(CPack)
