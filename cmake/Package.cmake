# `cpack -G DEB` in a build folder makes the Debian package of what Install.cmake installs, under /usr, with
# the files Debian asks of every package in /usr/share/doc/tarvex: the copyright (dist/copyright) and a
# changelog made from the project's version.
#
# This file is read twice: by CMake when the project is configured, and by cpack as its pre-build script,
# after it has installed the files into its staging folder and before it makes the package (the second part
# below). There it adds the two documents and computes the dependencies.
#
# The dependencies come from dpkg-shlibdeps, run on every ELF file of the staging folder, rather than from
# CPack's own CPACK_DEBIAN_PACKAGE_SHLIBDEPS: when that is on, CPack writes a postinst and a postrm that
# run ldconfig for any library under /usr/lib, and ours are private (lib/tarvex, found through the program's
# RUNPATH or loaded by path), so the linker's cache has nothing to learn from them. The dialog font is loaded
# at run time, where dpkg-shlibdeps cannot see it, so it is named here. So is Qt's Wayland plugin, which a
# Wayland desktop without X11 needs and nothing else installs: recommended, since X11's plugin comes with
# libqt6gui6.

if(CPACK_TEMPORARY_DIRECTORY)
  # cpack's pre-build script: the staging folder holds the installed tree under usr/.
  set(doc "${CPACK_TEMPORARY_DIRECTORY}/usr/share/doc/${CPACK_PACKAGE_NAME}")
  set(work "${CPACK_TOPLEVEL_DIRECTORY}/tarvex-package")
  file(REMOVE_RECURSE "${work}")
  file(MAKE_DIRECTORY "${doc}" "${work}/debian")
  file(COPY "${CPACK_TARVEX_SOURCE_DIR}/dist/copyright" DESTINATION "${doc}"
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

  # A native package's changelog: one entry for this version, dated now or at SOURCE_DATE_EPOCH.
  string(TIMESTAMP date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  file(WRITE "${work}/changelog"
    "${CPACK_PACKAGE_NAME} (${CPACK_PACKAGE_VERSION}) unstable; urgency=medium\n"
    "\n"
    "  * Version ${CPACK_PACKAGE_VERSION} of the Tarvex Counter soft front panel.\n"
    "\n"
    " -- ${CPACK_PACKAGE_CONTACT}  ${date}\n")
  execute_process(COMMAND gzip -9 --no-name --stdout "${work}/changelog"
    OUTPUT_FILE "${doc}/changelog.gz" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip of the changelog failed: ${status}")
  endif()
  file(CHMOD "${doc}/changelog.gz" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

  file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
  set(elfFiles)
  foreach(file IN LISTS staged)
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
      list(APPEND elfFiles "${file}")
    endif()
  endforeach()
  # dpkg-shlibdeps reads the package's name from a control file in the folder it runs in.
  file(WRITE "${work}/debian/control" "Source: ${CPACK_PACKAGE_NAME}\n\nPackage: ${CPACK_PACKAGE_NAME}\nArchitecture: any\n")
  execute_process(COMMAND dpkg-shlibdeps -O ${elfFiles}
    WORKING_DIRECTORY "${work}" OUTPUT_VARIABLE substvars ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT substvars MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps failed (${status}): ${errors}")
  endif()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, ${CMAKE_MATCH_1}")
  return()
endif()

set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VENDOR "Tarvex front panel maintainers")
set(CPACK_PACKAGE_CONTACT "Tarvex front panel maintainers <maintainers@tarvex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "soft front panel of the Tarvex Counter VXI module")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "The front panel of the Tarvex Counter, a universal counter module in a VXI\n"
  "mainframe that has no front panel of its own: channels, thirteen measurement\n"
  "functions, readings, input conditioning, trigger levels, arming, reference\n"
  "oscillator and outputs. A simulated counter driver is included, so the panel\n"
  "is live without hardware, and tarvex-emulator serves the same simulated\n"
  "counter on the network, by SCPI over a raw socket and by VXI-11, to any\n"
  "VISA client.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_TARVEX_SOURCE_DIR "${PROJECT_SOURCE_DIR}")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_FILE}")
include(CPack)
