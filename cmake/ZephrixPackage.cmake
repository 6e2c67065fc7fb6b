# `cpack -G DEB` in the build folder makes a Debian package of what
# `cmake --install` installs, with the run-time dependencies that
# dpkg-shlibdeps (package dpkg-dev) finds in the programs. The package
# installs under the build's prefix, because the programs look for their
# help pages there: configure with -DCMAKE_INSTALL_PREFIX=/usr for a package
# that follows Debian's layout.
set(CPACK_PACKAGE_NAME "zephrix")
set(CPACK_PACKAGE_VENDOR "Zephrix")
set(CPACK_PACKAGE_CONTACT "Zephrix maintainers <maintainers@zephrix.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop file-search accelerator")
set(CPACK_PACKAGE_DESCRIPTION
  "Keeps a plain-text index of the drives you tick, rebuilds it in the background, and answers file searches from it instead of walking the disk. Lives in the notification area and comes forward on Super+S.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# A file under /etc is the administrator's to change: dpkg keeps its changes.
if(ZEPHRIX_AUTOSTART_DIR MATCHES "^/etc/")
  file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "${ZEPHRIX_AUTOSTART_DIR}/zephrix-startup.desktop\n")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
endif()
# The help pages are opened with the desktop's own opener.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)

# The package, built in a folder of its own, holds every installed file and
# names its libraries.
if(ZEPHRIX_BUILD_TESTS)
  add_test(NAME DebianPackage
    COMMAND ${CMAKE_COMMAND}
      -DCPACK_COMMAND=${CMAKE_CPACK_COMMAND}
      -DBUILD_DIR=${CMAKE_BINARY_DIR}
      -DOUT_DIR=${CMAKE_BINARY_DIR}/package-test
      -DPREFIX=${CMAKE_INSTALL_PREFIX}
      -DAUTOSTART_DIR=${ZEPHRIX_AUTOSTART_DIR}
      "-DICON_SIZES=${ZEPHRIX_ICON_SIZES}"
      -P ${PROJECT_SOURCE_DIR}/cmake/CheckDebianPackage.cmake)
  set_tests_properties(DebianPackage PROPERTIES SKIP_REGULAR_EXPRESSION "SKIPPED:" TIMEOUT 300)
endif()
