# The installed game: both programs, the generated data pack and icons, the
# translations, the desktop entry, AppStream metainfo and man pages. `cmake --install` honours
# DESTDIR; `cpack -G DEB` packs the same files.

# The pack and icons are generated, never checked in: into a folder of their
# own, since the game writes into build/data when played from there.
set(zb_stage ${PROJECT_BINARY_DIR}/install-data)
add_custom_command(OUTPUT ${zb_stage}/stamp
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zb_stage}/zenbox ${zb_stage}/hicolor
  COMMAND zenbox-data generate ${zb_stage}/zenbox
  COMMAND zenbox-data icons ${zb_stage}/hicolor
  COMMAND ${CMAKE_COMMAND} -E touch ${zb_stage}/stamp
  DEPENDS zenbox-data
  COMMENT "Generating the data pack and icons to install")
add_custom_target(zenbox-install-data ALL DEPENDS ${zb_stage}/stamp)

install(TARGETS zenbox zenbox-data RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${zb_stage}/zenbox/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zenbox)
install(DIRECTORY ${zb_stage}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
# The catalogues and the desktop files come merged with their translations.
install(DIRECTORY ${PROJECT_BINARY_DIR}/locale/ DESTINATION ${CMAKE_INSTALL_LOCALEDIR} OPTIONAL)
install(FILES ${ZB_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${ZB_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/dist/zenbox.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/dist/zenbox-data.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zenbox)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "The Zenbox developers <zenbox@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "pack of casual tile-puzzle games")
set(CPACK_PACKAGE_DESCRIPTION "Twelve tile puzzles in three families (Sinkra, Tessel, Gyrex), each at three skill levels with its own Top 10 table.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# Music needs a General MIDI sound font; texts are drawn with an Arial-metric face.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | fluid-soundfont-gm, fonts-liberation")
include(CPack)

add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DMANIFEST=${PROJECT_BINARY_DIR}/install_manifest.txt
          -P ${PROJECT_SOURCE_DIR}/cmake/Uninstall.cmake)
