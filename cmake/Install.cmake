# What `cmake --install` puts under the prefix, laid out as a Linux desktop program:
#   bin/tarvex                          the program, with the RUNPATH $ORIGIN/../lib/tarvex
#   bin/tarvex-emulator                 the simulated counter served on the network
#   lib/tarvex/                         its own library folder: the simulated counter and the VISA stand-in
#   lib/tarvex/lan/                     the LAN driver beside its own VISA stand-in
#   share/tarvex/tarvex.hlp             the help, which the program looks for in ../share/tarvex
#   share/applications, share/metainfo  the desktop entry and the AppStream metainfo
#   share/icons/hicolor                 the program icon at 32, 48, 64 and 128 pixels and as SVG
#   share/man/man1/                     the manual pages, tarvex.1.gz and tarvex-emulator.1.gz
# The program finds its libraries and its help relative to its own folder, so the folder names are fixed
# here rather than taken from GNUInstallDirs.
set(TARVEX_LIBRARY_FOLDER lib/tarvex)
set(TARVEX_DATA_FOLDER share/tarvex)

# The program searches the folders of its RUNPATH last, after LD_LIBRARY_PATH and the system's folders.
set_target_properties(tarvex PROPERTIES INSTALL_RPATH "\$ORIGIN/../${TARVEX_LIBRARY_FOLDER}")
install(TARGETS tarvex RUNTIME DESTINATION bin)
install(TARGETS tarvex-emulator RUNTIME DESTINATION bin)
install(TARGETS tarvex_32 visa32 LIBRARY DESTINATION ${TARVEX_LIBRARY_FOLDER})
install(TARGETS tarvex_lan visa32 LIBRARY DESTINATION ${TARVEX_LIBRARY_FOLDER}/lan)
install(FILES ${PROJECT_SOURCE_DIR}/src/res/tarvex.hlp DESTINATION ${TARVEX_DATA_FOLDER})
install(FILES ${PROJECT_SOURCE_DIR}/dist/tarvex.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/org.tarvex.tarvex.metainfo.xml DESTINATION share/metainfo)

# The icon theme's pictures (cmake/Icons.cmake) and the vector drawing as the scalable icon.
foreach(size IN LISTS TARVEX_ICON_SIZES)
  install(FILES ${TARVEX_ICON_FOLDER}/${size}x${size}/tarvex.png DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${TARVEX_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps RENAME tarvex.svg)

# The manual pages carry the project's version and are compressed, as Debian's policy asks.
foreach(page tarvex tarvex-emulator)
  configure_file(${PROJECT_SOURCE_DIR}/dist/${page}.1.in ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.1.gz
    COMMAND gzip -9 --no-name --keep --force ${CMAKE_BINARY_DIR}/man/${page}.1
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.1
    VERBATIM)
  list(APPEND manualPages ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.1.gz DESTINATION share/man/man1)
endforeach()

add_custom_target(tarvex_manual_pages ALL DEPENDS ${manualPages})
