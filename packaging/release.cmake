# Installing the game and packing it for Debian.
#
# The real program goes to libexec; the command on the PATH is a launcher that
# runs it from a per-user folder, since the game reads data/ from and writes
# its log into its working folder.

include(GNUInstallDirs)

set(GAME_LIBEXEC_DIR ${CMAKE_INSTALL_LIBEXECDIR}/wobblersaga)
set(GAME_DATA_DIR ${CMAKE_INSTALL_DATADIR}/wobblersaga/data)

# The launcher finds the program and the data relative to itself, so the same
# install works under any prefix and in a package unpacked anywhere.
file(RELATIVE_PATH LAUNCHER_TO_BINARY /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${GAME_LIBEXEC_DIR}/wobblersaga)
file(RELATIVE_PATH LAUNCHER_TO_DATA /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${GAME_DATA_DIR})
configure_file(${CMAKE_CURRENT_LIST_DIR}/wobblersaga.in ${CMAKE_BINARY_DIR}/release/wobblersaga @ONLY)

# The fonts are links into Debian's font package rather than copies.
foreach(font fonts/Default.ttf:${DEFAULT_FONT} fonts/Destructo.ttf:DejaVuSerif-Bold.ttf
             interface/Default.ttf:${DEFAULT_FONT})
  string(REPLACE ":" ";" font ${font})
  list(GET font 0 name)
  list(GET font 1 system_file)
  get_filename_component(folder ${name} DIRECTORY)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/release/fonts/${folder})
  file(CREATE_LINK ${FONT_DIR}/${system_file} ${CMAKE_BINARY_DIR}/release/fonts/${name} SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/release/fonts/${name} DESTINATION ${GAME_DATA_DIR}/${folder})
endforeach()

# The icon is the hero from the game's own art; the man page is compressed
# without a time stamp. Both come out the same on every build.
set(ICON_SOURCE ${CMAKE_SOURCE_DIR}/data/graphics/Wobbler_Right.png)
set(ICON_SIZES 48 64 128)
set(RELEASE_OUTPUTS ${CMAKE_BINARY_DIR}/release/wobblersaga.6.gz)
foreach(size ${ICON_SIZES})
  set(icon ${CMAKE_BINARY_DIR}/release/icons/${size}x${size}/wobblersaga.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/release/icons/${size}x${size}
    COMMAND /usr/bin/python3 ${CMAKE_CURRENT_LIST_DIR}/make_icon.py ${ICON_SOURCE} ${size} ${icon}
    DEPENDS ${ICON_SOURCE} ${CMAKE_CURRENT_LIST_DIR}/make_icon.py
    VERBATIM)
  list(APPEND RELEASE_OUTPUTS ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/release/wobblersaga.6.gz
  COMMAND sh -c "gzip -9 -n -c '${CMAKE_CURRENT_LIST_DIR}/wobblersaga.6' > '${CMAKE_BINARY_DIR}/release/wobblersaga.6.gz'"
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/wobblersaga.6
  VERBATIM)
add_custom_target(release_files ALL DEPENDS ${RELEASE_OUTPUTS})

install(TARGETS wobblersaga RUNTIME DESTINATION ${GAME_LIBEXEC_DIR})
install(PROGRAMS ${CMAKE_BINARY_DIR}/release/wobblersaga DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${GAME_DATA_DIR}
  PATTERN "*.ttf" EXCLUDE)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/wobblersaga.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/release/wobblersaga.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/title.png ${CMAKE_SOURCE_DIR}/docs/playing.png
  DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs OPTIONAL)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wobblersaga)
set(CPACK_PACKAGE_VERSION 5.0.08)
set(CPACK_PACKAGE_VENDOR "Brickwell Games")
set(CPACK_PACKAGE_CONTACT "Brickwell Games <packages@brickwell-games.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Nibbleton Saga, a maze-chase arcade game")
set(CPACK_PACKAGE_DESCRIPTION
  "Steer the hero through a maze, eat every pellet to clear the board and keep
away from up to eight ghosts; a power pellet makes them edible for a while.
Five boards, each faster and with more ghosts than the last. Played with the
keyboard, the mouse or up to two joysticks.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://brickwell-games.example/nibbleton-saga")
# dpkg-shlibdeps finds the linked libraries (the SDL ones, the C and C++
# run-times) with their versions; Mesa's drivers and the fonts are only opened
# at run time, so no link shows them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri, fonts-dejavu-core, fonts-dejavu-extra")
include(CPack)
