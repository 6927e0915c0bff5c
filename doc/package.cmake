# The Debian package: `cpack -G DEB` in a build folder (tools/package.sh) packs what the
# install rules install, under /usr. Its dependencies are those dpkg-shlibdeps finds for
# the programs; the desktop, MIME and manual-page caches are refreshed by the triggers of
# the packages that own them.
set(QELT32_PACKAGE_MAINTAINER "Qelt32 developers <qelt32@vorka.example>" CACHE STRING
    "Maintainer named in the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qelt32)
set(CPACK_PACKAGE_VENDOR VORKA)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Adjust a CRT monitor over its serial maintenance cable")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Vistrel Pro (qelt32) adjusts a CRT computer monitor from the computer that drives it, "
    "over the monitor's serial maintenance cable: geometry, convergence, moire, colour and "
    "colour temperature, power saving, input and beep. It comes with qelt32ctl, a "
    "command-line tool over the same monitor controller, and qelt32-sim, a simulated monitor.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QELT32_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QELT32_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The X11 platform plugin comes with libqt6gui6. The fonts the patterns and texts are
# drawn with are loaded at run time, where dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-ipafont-gothic")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
