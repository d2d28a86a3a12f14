# Installing the game and packing it for Debian, laid out as Debian's games
# are: the command in games/, the program in lib/games/, the data in
# share/games/.
#
# The command is a launcher that runs the program from a per-user folder,
# since the game reads data/ from and writes its log into its working folder.

include(GNUInstallDirs)

set(PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(GAME_COMMAND_DIR games)
set(GAME_PROGRAM_DIR lib/games/wobblersaga)
set(GAME_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/wobblersaga)
# The software centre's id of the game, also the desktop entry's name.
set(GAME_ID example.brickwell_games.wobblersaga)

# The launcher finds the program and the data relative to itself, so the same
# install works under any prefix and in a package unpacked anywhere.
file(RELATIVE_PATH LAUNCHER_TO_BINARY /prefix/${GAME_COMMAND_DIR} /prefix/${GAME_PROGRAM_DIR}/wobblersaga)
file(RELATIVE_PATH LAUNCHER_TO_DATA /prefix/${GAME_COMMAND_DIR} /prefix/${GAME_DATA_DIR})
configure_file(${PACKAGING_DIR}/wobblersaga.in ${CMAKE_BINARY_DIR}/release/wobblersaga @ONLY)
configure_file(${PACKAGING_DIR}/install_paths.cmake.in ${CMAKE_BINARY_DIR}/release/install_paths.cmake @ONLY)

# The icon is the hero from the game's own art; the manual page and the
# changelog are compressed without a time stamp. All come out the same on
# every build.
set(ICON_SOURCE ${CMAKE_SOURCE_DIR}/data/graphics/Wobbler_Right.png)
set(ICON_SIZES 48 64 128)
set(RELEASE_OUTPUTS)
foreach(size ${ICON_SIZES})
  set(icon ${CMAKE_BINARY_DIR}/release/icons/${size}x${size}/wobblersaga.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/release/icons/${size}x${size}
    COMMAND /usr/bin/python3 ${PACKAGING_DIR}/make_icon.py ${ICON_SOURCE} ${size} ${icon}
    DEPENDS ${ICON_SOURCE} ${PACKAGING_DIR}/make_icon.py
    VERBATIM)
  list(APPEND RELEASE_OUTPUTS ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
foreach(text wobblersaga.6:wobblersaga.6.gz changelog:changelog.Debian.gz)
  string(REPLACE ":" ";" text ${text})
  list(GET text 0 source)
  list(GET text 1 packed)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/release/${packed}
    COMMAND sh -c "gzip -9 -n -c '${PACKAGING_DIR}/${source}' > '${CMAKE_BINARY_DIR}/release/${packed}'"
    DEPENDS ${PACKAGING_DIR}/${source}
    VERBATIM)
  list(APPEND RELEASE_OUTPUTS ${CMAKE_BINARY_DIR}/release/${packed})
endforeach()
add_custom_target(release_files ALL DEPENDS ${RELEASE_OUTPUTS})

install(TARGETS wobblersaga RUNTIME DESTINATION ${GAME_PROGRAM_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/release/wobblersaga DESTINATION ${GAME_COMMAND_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${GAME_DATA_DIR}
  PATTERN "*.ttf" EXCLUDE)
install(SCRIPT ${CMAKE_BINARY_DIR}/release/install_paths.cmake)
install(FILES ${PACKAGING_DIR}/wobblersaga.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  RENAME ${GAME_ID}.metainfo.xml)
install(FILES ${CMAKE_BINARY_DIR}/release/wobblersaga.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PACKAGING_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME wobblersaga)
install(FILES ${PACKAGING_DIR}/copyright ${CMAKE_BINARY_DIR}/release/changelog.Debian.gz
  ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/title.png ${CMAKE_SOURCE_DIR}/docs/playing.png
  DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs OPTIONAL)

# The Debian package is packed from this install by packaging/build-deb, its
# fields in packaging/control and its version in packaging/changelog.
