# `cpack -G DEB` in a build folder makes the Debian package of what Install.cmake installs, under /usr.
# dpkg-shlibdeps finds the libraries the programs and the bundled libraries link (libtirpc for the emulator's
# VXI-11); Qt's platform plugins and the dialog font are loaded at run time, where it cannot see them, so
# they are named here.
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
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
include(CPack)
