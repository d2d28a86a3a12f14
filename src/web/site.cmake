# The browser's build: the game's own sources with Emscripten, into a site of
# static files in site/ (the page, the script, the WebAssembly and the data),
# which any web server can serve. Set up with emcmake; ./play --web does.

# Each desktop file below answers a concern the browser answers differently;
# its namesake in src/web takes its place, under the game's own names: the
# program's frame, the allocator, the saved files, the key numbers, the
# focus, the gamepads' D-pads, the mixer's volumes and tunes, and the
# drawing's pictures (stb_image), letters (stb_truetype) and the window's
# icon (the page shows its own). The other files of src/desktop, the window
# among them, are compiled as they are, against Emscripten's SDL.
set(WEB_REPLACED_SOURCES src/main.cpp src/desktop/allocator.cpp src/desktop/storage.cpp src/desktop/keys.cpp
    src/desktop/focus.cpp src/desktop/pads.cpp src/desktop/sound.cpp src/desktop/pictures.cpp
    src/desktop/letters.cpp src/desktop/icon.cpp)

file(GLOB_RECURSE GAME_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/*/*.cpp)
list(FILTER GAME_SOURCES EXCLUDE REGEX "/src/web/|/src/headless/")
foreach(replaced ${WEB_REPLACED_SOURCES})
  list(REMOVE_ITEM GAME_SOURCES ${CMAKE_SOURCE_DIR}/${replaced})
endforeach()
file(GLOB WEB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/web/*.cpp)

# The pictures and letters are decoded by Debian's stb headers; only those
# two are put on the include path, not the rest of /usr/include.
set(STB_DIR ${CMAKE_BINARY_DIR}/stb)
foreach(header stb_image.h stb_truetype.h)
  configure_file(/usr/include/stb/${header} ${STB_DIR}/${header} COPYONLY)
endforeach()

# Browsers decode no tracker music: each tune is rendered, as the desktop's
# mixer plays it (mono, 22050 Hz), and encoded as MP3, which every browser
# plays.
set(MUSIC_DIR ${CMAKE_BINARY_DIR}/music)
set(RENDER_DIR ${CMAKE_BINARY_DIR}/music-rendering)
file(GLOB TUNES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/music/*.mod)
set(RENDERED_TUNES)
foreach(tune ${TUNES})
  get_filename_component(name ${tune} NAME_WE)
  set(rendered ${MUSIC_DIR}/${name}.mp3)
  # openmpt123 renders beside the tune it reads: a copy, out of the site.
  add_custom_command(OUTPUT ${rendered}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MUSIC_DIR} ${RENDER_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy ${tune} ${RENDER_DIR}/${name}.mod
    COMMAND openmpt123 --quiet --render --force --output-type wav --channels 1 --samplerate 22050 --no-float
            ${RENDER_DIR}/${name}.mod
    COMMAND lame --quiet -b 48 ${RENDER_DIR}/${name}.mod.wav ${rendered}
    DEPENDS ${tune}
    VERBATIM)
  list(APPEND RENDERED_TUNES ${rendered})
endforeach()
add_custom_target(web_music DEPENDS ${RENDERED_TUNES})

set(SITE_DIR ${CMAKE_BINARY_DIR}/site)
add_executable(wobblersaga ${GAME_SOURCES} src/main_loop.cpp src/checks.cpp ${WEB_SOURCES})
add_dependencies(wobblersaga web_music)
set_target_properties(wobblersaga PROPERTIES OUTPUT_NAME index SUFFIX ".html" RUNTIME_OUTPUT_DIRECTORY ${SITE_DIR})
target_include_directories(wobblersaga PRIVATE ${CMAKE_SOURCE_DIR}/src ${STB_DIR})
# Emscripten's own SDL 1.2, which Emscripten before 3.1.50 took by default.
target_compile_options(wobblersaga PRIVATE "SHELL:-sUSE_SDL=1")
target_link_options(wobblersaga PRIVATE
  # The game draws with OpenGL 1.1's immediate mode, which WebGL lacks.
  -sLEGACY_GL_EMULATION=1
  "SHELL:-sUSE_SDL=1"
  -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web
  -lidbfs.js
  # The browser suite reads and damages the stored files through it.
  "SHELL:-sEXPORTED_RUNTIME_METHODS=['FS']"
  "SHELL:--shell-file ${CMAKE_SOURCE_DIR}/src/web/index.html"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/src/web/page.js"
  # Debian 12's Emscripten crashes in its HTML minifier.
  -sMINIFY_HTML=0
  # An option given twice is kept whole only as SHELL: (CMake drops repeats).
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/data@/data"
  "SHELL:--exclude-file '*.mod'"
  "SHELL:--preload-file ${MUSIC_DIR}@/data/music")
# Emscripten's optimiser needs Debian's acorn, which a Node.js from outside
# Debian does not look for.
set_target_properties(wobblersaga PROPERTIES CXX_LINKER_LAUNCHER "${CMAKE_COMMAND};-E;env;NODE_PATH=/usr/share/nodejs")
set_property(TARGET wobblersaga APPEND PROPERTY LINK_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/web/index.html ${CMAKE_SOURCE_DIR}/src/web/page.js ${RENDERED_TUNES})

# The page's icon is the desktop's, drawn from the same art by the same script.
set(PAGE_ICON ${SITE_DIR}/icon.png)
add_custom_command(OUTPUT ${PAGE_ICON}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SITE_DIR}
  COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/packaging/make_icon.py ${CMAKE_SOURCE_DIR}/data/graphics/Wobbler_Right.png 48
          ${PAGE_ICON}
  DEPENDS ${CMAKE_SOURCE_DIR}/data/graphics/Wobbler_Right.png ${CMAKE_SOURCE_DIR}/packaging/make_icon.py)
add_custom_target(web_icon ALL DEPENDS ${PAGE_ICON})
