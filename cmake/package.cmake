# The Debian package (scripts/package, or cpack -G DEB in the build folder):
# what cmake --install puts under /usr, with its library dependencies worked
# out by dpkg-shlibdeps from the executable itself.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vistrel)
set(CPACK_PACKAGE_VERSION ${VISTREL_VERSION})
set(CPACK_PACKAGE_VENDOR Kessimer)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small desktop system monitor: RAM, swap, drive and CPU use")
set(CPACK_PACKAGE_DESCRIPTION
  "One compact window, refreshed twice a second, shows RAM and swap use as two
pie gauges with free and total figures, how full a chosen drive is, and
current and average CPU use as bar gauges. Around it: an alarm for when a
busy processor goes quiet, a cursor odometer, a drive report, always-on-top
and corner snapping, and start at log-on.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(VISTREL_PACKAGE_MAINTAINER "Kessimer <vistrel@kessimer.invalid>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VISTREL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's layout is measured in Times New Roman and Courier New, which
# these metric-compatible faces stand in for.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)

include(CPack)
