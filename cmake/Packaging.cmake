# One Debian package with the libraries, headers, package files and the
# simulator: `cpack -G DEB` in the build folder (or `cpack -G DEB -B DIR`).
# Installed files are stripped; the package's library dependencies are
# worked out by dpkg-shlibdeps from what the binaries link.
set(CPACK_PACKAGE_NAME sysdlg)
set(CPACK_PACKAGE_VENDOR "sysdlg maintainers")
set(CPACK_PACKAGE_CONTACT "Package Maintainer <maintainer@example.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "System settings dialog of a chart and data recorder, with its Linux platform layer and simulator")
set(CPACK_PACKAGE_DESCRIPTION
  "The modal, tabbed system settings dialog as a shared library (libsysdlg), the small
window system and host services it runs on (libsysplatform), their headers, a CMake
package and a pkg-config file for hosts that embed the dialog, and sysdlg-sim, the
instrument simulator that shows the dialog on a touch panel in the browser.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The package's own libraries get a shlibs entry, so that packages built
# against them depend on this package by its soname and version.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)

set(CPACK_GENERATOR DEB)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
