# The Debian packages: `cpack -G DEB` in a build folder (tools/package.sh) packs what the
# install rules install, under /usr, as three packages:
#   qelt32      the desktop program with its data, help, desktop entry and icons
#               (every install rule that names no component belongs here);
#   qelt32ctl   the command-line tool, which needs QtCore only;
#   qelt32-sim  the simulated monitor.
# Their dependencies are those dpkg-shlibdeps finds for each program; the desktop, MIME
# and manual-page caches are refreshed by the triggers of the packages that own them. The
# programs are stripped as Debian strips them (tools/strip-for-package.cmake).
set(QELT32_PACKAGE_MAINTAINER "Qelt32 developers <dev@qelt32.invalid>" CACHE STRING
    "Maintainer named in the Debian packages and their changelog")
set(QELT32_PACKAGE_REVISION 1 CACHE STRING "Debian revision of the packages")
set(QELT32_PACKAGE_VERSION ${PROJECT_VERSION}-${QELT32_PACKAGE_REVISION})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qelt32)
set(CPACK_PACKAGE_VENDOR "Qelt32 developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL qelt32 qelt32ctl qelt32-sim)
set(CPACK_COMPONENTS_GROUPING IGNORE)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${QELT32_PACKAGE_REVISION})
set(CPACK_DEBIAN_PACKAGE_SOURCE qelt32)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QELT32_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/tools/strip-for-package.cmake)

# Each package's description: a synopsis and a few lines of at most 80 characters.
set(CPACK_DEBIAN_QELT32_PACKAGE_NAME qelt32)
set(CPACK_DEBIAN_QELT32_PACKAGE_SECTION misc)
string(CONCAT CPACK_COMPONENT_QELT32_DESCRIPTION
    "adjust a CRT monitor over its serial maintenance cable\n"
    "Vistrel Pro adjusts a CRT computer monitor from the computer that drives it:\n"
    "geometry, convergence, moire, colour and colour temperature, power saving,\n"
    "input and beep, saved to settings files and followed as the monitor's own\n"
    "controls change them. A full-screen mode drags the picture's geometry.")
# The patterns and texts are drawn with fonts loaded at run time, and Qt's own dialogs
# take their translations from Qt's catalogues: neither is seen by dpkg-shlibdeps.
set(CPACK_DEBIAN_QELT32_PACKAGE_RECOMMENDS
    "fonts-liberation, fonts-ipafont-gothic, qt6-translations-l10n")
set(CPACK_DEBIAN_QELT32_PACKAGE_SUGGESTS "qelt32ctl")

set(CPACK_DEBIAN_QELT32CTL_PACKAGE_NAME qelt32ctl)
string(CONCAT CPACK_COMPONENT_QELT32CTL_DESCRIPTION
    "adjust a CRT monitor over its serial cable from the command line\n"
    "qelt32ctl reads and sets a CRT monitor's adjustment items, colour\n"
    "temperature and modes over its serial maintenance cable, saves and loads\n"
    "settings files and follows the monitor's own controls, with JSON output\n"
    "for scripts. It needs no graphical desktop.")

set(CPACK_DEBIAN_QELT32-SIM_PACKAGE_NAME qelt32-sim)
string(CONCAT CPACK_COMPONENT_QELT32-SIM_DESCRIPTION
    "simulated CRT monitor for qelt32 and qelt32ctl\n"
    "qelt32-sim serves a simulated CRT monitor on a pseudo-terminal, so that\n"
    "qelt32 and qelt32ctl can be tried and tested without the hardware. Faults\n"
    "such as noise, lost replies or a pulled cable can be injected.")

include(CPack)

# Every package carries the copyright file and the changelog where Debian expects them.
execute_process(COMMAND date -u -R -d "${QELT32_RELEASE_DATE} 12:00"
    OUTPUT_VARIABLE QELT32_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QELT32_CHANGELOG ${CMAKE_BINARY_DIR}/res/debian/changelog.Debian)
configure_file(${CMAKE_SOURCE_DIR}/res/debian/changelog.in ${QELT32_CHANGELOG} @ONLY)
add_custom_command(OUTPUT ${QELT32_CHANGELOG}.gz
    COMMAND gzip -9n -c ${QELT32_CHANGELOG} > ${QELT32_CHANGELOG}.gz
    DEPENDS ${QELT32_CHANGELOG} VERBATIM)
add_custom_target(qelt32_package_changelog ALL DEPENDS ${QELT32_CHANGELOG}.gz)
foreach(QELT32_PACKAGE qelt32 qelt32ctl qelt32-sim)
    install(FILES ${CMAKE_SOURCE_DIR}/res/debian/copyright ${QELT32_CHANGELOG}.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${QELT32_PACKAGE}
        COMPONENT ${QELT32_PACKAGE})
    set(overrides ${CMAKE_BINARY_DIR}/res/debian/lintian/${QELT32_PACKAGE})
    configure_file(${CMAKE_SOURCE_DIR}/res/debian/lintian-overrides.in ${overrides} @ONLY)
    install(FILES ${overrides} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
        COMPONENT ${QELT32_PACKAGE})
endforeach()
