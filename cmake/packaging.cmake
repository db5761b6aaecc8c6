# Installing SkardeTools like any desktop program (the GNU layout) and packing that installation
# as two Debian packages with `cpack -G DEB` (scripts/package.sh): skardetools, everything but the
# browser module, and skardetools-browser, the module with Qt WebEngine behind it, which
# skardetools only recommends. Everything is installed in the component "skardetools" unless
# said otherwise.

include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME skardetools)

install(TARGETS skardetools skardetools-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Only the shipped palettes: the build's bin/pals also holds the palettes of the sample files.
# The programs find them at ../share/skardetools/pals beside themselves (src/converters/palsfolder).
install(FILES ${PROJECT_SOURCE_DIR}/pals/grey.pal
        DESTINATION ${CMAKE_INSTALL_DATADIR}/skardetools/pals)
# The browser module, where the program looks for it: lib/skardetools beside bin/ (not the
# multiarch library folder, which the program does not search).
if(TARGET skardebrowser)
  install(TARGETS skardebrowser LIBRARY DESTINATION lib/skardetools COMPONENT browser)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/resources/skardetools.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The game's file types and their thumbnails, where the desktop looks for them. Debian's
# shared-mime-info trigger runs update-mime-database when the package is installed.
install(FILES ${PROJECT_SOURCE_DIR}/resources/mime/skardetools.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
if(TARGET skardetools-thumbnailer)
  install(TARGETS skardetools-thumbnailer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${PROJECT_SOURCE_DIR}/resources/thumbnailers/skardetools.thumbnailer
          DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
endif()
get_directory_property(artworkDir DIRECTORY ${PROJECT_SOURCE_DIR}/src
                       DEFINITION SKARDE_ARTWORK_DIR)
get_directory_property(iconSizes DIRECTORY ${PROJECT_SOURCE_DIR}/src
                       DEFINITION SKARDE_THEME_ICON_SIZES)
foreach(size IN LISTS iconSizes)
  install(FILES ${artworkDir}/skardetools-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME skardetools.png)
endforeach()

# The CLI's man page, with the version of the build.
set(SKARDE_MAN_PAGE ${PROJECT_BINARY_DIR}/man/skardetools-cli.1)
add_custom_command(
  OUTPUT ${SKARDE_MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_CURRENT_LIST_DIR}/skardetools-cli.1.in
          -DVERSION=${PROJECT_VERSION} -DOUTPUT=${SKARDE_MAN_PAGE}
          -P ${CMAKE_CURRENT_LIST_DIR}/makemanpage.cmake
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/skardetools-cli.1.in ${CMAKE_CURRENT_LIST_DIR}/makemanpage.cmake
  COMMENT "Writing the man page of skardetools-cli")
add_custom_target(cli_man_page ALL DEPENDS ${SKARDE_MAN_PAGE})
install(FILES ${SKARDE_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skardetools)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR SkardeTools)
set(CPACK_PACKAGE_CONTACT "SkardeTools developers <skardetools@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "converters for the game Skarde's images, palettes and archives")
# The long description, which follows the summary.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A desktop toolkit for players and modders of the game Skarde. It converts the
game's 8-bit images (PBMP) and image arrays (PBA) to Windows BMP or PNG files
and back, extracts palettes from the game's palette lists (PPL), and lists and
extracts the game's VOL archives. skardetools is the desktop program;
skardetools-cli offers the same converters for scripts. The desktop knows the
game's file types, opens them with SkardeTools and shows their thumbnails.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# skardetools_<version>_<arch>.deb
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The Qt runtime packages, found from the libraries the programs link (needs dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# One package per component: skardetools_<version>_<arch>.deb and
# skardetools-browser_<version>_<arch>.deb.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL skardetools)
set(CPACK_DEBIAN_SKARDETOOLS_PACKAGE_NAME skardetools)
if(TARGET skardebrowser)
  list(APPEND CPACK_COMPONENTS_ALL browser)
  set(CPACK_DEBIAN_SKARDETOOLS_PACKAGE_RECOMMENDS skardetools-browser)
  set(CPACK_DEBIAN_BROWSER_PACKAGE_NAME skardetools-browser)
  set(CPACK_DEBIAN_BROWSER_PACKAGE_DEPENDS "skardetools (= ${PROJECT_VERSION})")
  # Follows the summary, which the generator takes from CPACK_PACKAGE_DESCRIPTION_SUMMARY.
  set(CPACK_DEBIAN_BROWSER_DESCRIPTION "The browser module of SkardeTools: the WebPages menu opens the community's pages
in windows inside the program (Qt WebEngine). Without it they open in the
desktop's web browser.")
endif()
include(CPack)
