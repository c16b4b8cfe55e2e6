# The browser build: the same game compiled with Emscripten against SDL2, SDL2_ttf (FreeType)
# and SDL2_mixer built for WebAssembly by tools/web/build-deps.sh. Configure with
#   emcmake cmake -S . -B build-web -DQZ_WEB_DEPS=<the folder build-deps.sh printed>
# The output is a folder of static files: index.html, its script and style, quizendo.js,
# quizendo.wasm, quizendo.data (pictures, sounds, fonts) and the report module.

set(QZ_WEB_DEPS "" CACHE PATH "Prefix of SDL2, SDL2_ttf, FreeType and SDL2_mixer built for the web")
if(NOT EXISTS "${QZ_WEB_DEPS}/lib/libSDL2.a")
  message(FATAL_ERROR "QZ_WEB_DEPS must name the folder tools/web/build-deps.sh prints")
endif()

# Debian's emscripten runs its JavaScript tools with the node on PATH, which finds Debian's
# node modules only through NODE_PATH when it is not Debian's own node.
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "env NODE_PATH=/usr/share/nodejs")

# The faces the game draws with, packaged at the paths the font code opens.
set(QZ_WEB_FONT_DIR /usr/share/fonts/truetype/dejavu)
set(QZ_WEB_FONTS DejaVuSansCondensed-Bold.ttf DejaVuSans.ttf DejaVuSansCondensed.ttf)

add_library(qz_web_sdl INTERFACE)
target_include_directories(qz_web_sdl INTERFACE ${QZ_WEB_DEPS}/include/SDL2 ${QZ_WEB_DEPS}/include)
target_link_libraries(qz_web_sdl INTERFACE
  ${QZ_WEB_DEPS}/lib/libSDL2_mixer.a ${QZ_WEB_DEPS}/lib/libSDL2_ttf.a
  ${QZ_WEB_DEPS}/lib/libfreetype.a ${QZ_WEB_DEPS}/lib/libSDL2.a)

# Exceptions are off by default in Emscripten; the game reports bad assets by throwing.
set(QZ_WEB_FLAGS -fexceptions)
add_compile_options(${QZ_WEB_FLAGS})

# The same per-layer libraries as the desktop build, each seeing only the layers below it
# (src/platform/sdl picks the browser's flavour of the backend; the headless twin is left out).
add_subdirectory(src)

# Only the game's own files: the pictures, sounds and dialog layouts, and the three faces.
# (SHELL: keeps CMake from merging the repeated options.)
file(GLOB QZ_WEB_ASSETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/*.bmp
  ${CMAKE_SOURCE_DIR}/assets/*.wav ${CMAKE_SOURCE_DIR}/assets/*.dlg)
set(QZ_WEB_PRELOAD)
foreach(asset ${QZ_WEB_ASSETS})
  get_filename_component(name ${asset} NAME)
  list(APPEND QZ_WEB_PRELOAD "SHELL:--preload-file ${asset}@/assets/${name}")
endforeach()
# The faces are cut down to the scripts they cover well, so the download stays small: Latin
# (with Latin-1, Extended-A and -B and Extended Additional, and the combining accents),
# Greek, Cyrillic, punctuation, currency, letter-like signs, arrows, mathematical operators,
# shapes and the replacement character the game draws for bad text. Their hinting is kept.
# Debian's python3 (/usr/bin) is the one with python3-fonttools, whatever else is on PATH.
find_program(QZ_FONT_PYTHON python3 HINTS /usr/bin NO_CMAKE_FIND_ROOT_PATH)
execute_process(COMMAND ${QZ_FONT_PYTHON} -c "import fontTools.subset"
  RESULT_VARIABLE QZ_NO_SUBSETTER OUTPUT_QUIET ERROR_QUIET)
if(NOT QZ_FONT_PYTHON OR QZ_NO_SUBSETTER)
  message(FATAL_ERROR "fontTools is missing: run tools/deps.sh (package python3-fonttools)")
endif()
set(QZ_WEB_FONT_UNICODES "U+0020-007E,U+00A0-024F,U+02B0-036F,U+0370-03FF,U+0400-052F,\
U+1E00-1EFF,U+2000-206F,U+20A0-20CF,U+2100-214F,U+2190-21FF,U+2200-22FF,U+25A0-25FF,U+FFFD")
set(QZ_WEB_SUBSET_FONTS)
foreach(font ${QZ_WEB_FONTS})
  set(subset ${CMAKE_BINARY_DIR}/fonts/${font})
  add_custom_command(OUTPUT ${subset}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fonts
    COMMAND ${QZ_FONT_PYTHON} -m fontTools.subset ${QZ_WEB_FONT_DIR}/${font} --unicodes=${QZ_WEB_FONT_UNICODES}
      --layout-features=* --notdef-outline --output-file=${subset}
    DEPENDS ${QZ_WEB_FONT_DIR}/${font} VERBATIM)
  list(APPEND QZ_WEB_SUBSET_FONTS ${subset})
  list(APPEND QZ_WEB_PRELOAD "SHELL:--preload-file ${subset}@${QZ_WEB_FONT_DIR}/${font}")
endforeach()
add_custom_target(quizendo_web_fonts DEPENDS ${QZ_WEB_SUBSET_FONTS})

# The nested modal loops, pauses and synchronous sounds block; ASYNCIFY lets them wait on the
# browser's event loop. Its stack must hold the deepest nesting (a box over a pause over a match).
# QuizendoGame(settings) starts one run, so the page can start the game again after it ended.
target_link_options(quizendo PRIVATE ${QZ_WEB_FLAGS} -sASYNCIFY -sASYNCIFY_STACK_SIZE=262144
  -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web -sEXIT_RUNTIME=1 -lidbfs.js
  -sMODULARIZE=1 -sEXPORT_NAME=QuizendoGame
  -sEXPORTED_RUNTIME_METHODS=FS "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/storage.js"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/sound.js" "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/leave.js"
  "SHELL:--js-library ${CMAKE_SOURCE_DIR}/web/waits.js" ${QZ_WEB_PRELOAD})
add_dependencies(quizendo quizendo_web_fonts)
set_property(TARGET quizendo APPEND PROPERTY LINK_DEPENDS ${QZ_WEB_SUBSET_FONTS} ${CMAKE_SOURCE_DIR}/web/storage.js
  ${CMAKE_SOURCE_DIR}/web/sound.js ${CMAKE_SOURCE_DIR}/web/leave.js ${CMAKE_SOURCE_DIR}/web/waits.js
  ${QZ_WEB_ASSETS})

# The report: the same code as quizendo-report, run by the page on the stored log.
target_link_options(quizendo-report PRIVATE ${QZ_WEB_FLAGS} -sMODULARIZE=1
  -sEXPORT_NAME=QuizendoReport -sINVOKE_RUN=0 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
  -sENVIRONMENT=web -sEXPORTED_RUNTIME_METHODS=FS,callMain)

# The page itself, and what makes it an app the browser can install.
set(QZ_WEB_PAGE_FILES index.html page.js progress.js page.css manifest.webmanifest)
foreach(page ${QZ_WEB_PAGE_FILES})
  configure_file(${CMAKE_SOURCE_DIR}/web/${page} ${CMAKE_BINARY_DIR}/${page} COPYONLY)
endforeach()

# The app's icons, drawn from the game's icon source as the desktop icons are.
find_program(QZ_RSVG_CONVERT rsvg-convert)
if(NOT QZ_RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert is missing: run tools/deps.sh (package librsvg2-bin)")
endif()
set(QZ_WEB_ICONS)
foreach(size 192 512)
  set(icon ${CMAKE_BINARY_DIR}/icon-${size}.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${QZ_RSVG_CONVERT} --format=png --width=${size} --height=${size}
      --output=${icon} ${CMAKE_SOURCE_DIR}/assets/src/icon.svg
    DEPENDS ${CMAKE_SOURCE_DIR}/assets/src/icon.svg VERBATIM)
  list(APPEND QZ_WEB_ICONS ${icon})
endforeach()

# The service worker keeps every file the game needs, under a version made from them all.
set(QZ_WEB_KEPT ${QZ_WEB_PAGE_FILES} icon-192.png icon-512.png quizendo.js quizendo.wasm
  quizendo.data quizendo-report.js quizendo-report.wasm)
set(QZ_WEB_KEPT_PATHS)
foreach(file ${QZ_WEB_PAGE_FILES})
  list(APPEND QZ_WEB_KEPT_PATHS ${CMAKE_BINARY_DIR}/${file})
endforeach()
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/sw.js
  COMMAND ${QZ_FONT_PYTHON} ${CMAKE_SOURCE_DIR}/tools/web/service-worker.py
    ${CMAKE_SOURCE_DIR}/web/sw.js.in ${CMAKE_BINARY_DIR}/sw.js ${CMAKE_BINARY_DIR} ${QZ_WEB_KEPT}
  DEPENDS ${CMAKE_SOURCE_DIR}/web/sw.js.in ${CMAKE_SOURCE_DIR}/tools/web/service-worker.py
    ${QZ_WEB_KEPT_PATHS} ${QZ_WEB_ICONS} quizendo quizendo-report VERBATIM)
add_custom_target(quizendo_web_app ALL DEPENDS ${CMAKE_BINARY_DIR}/sw.js)

# The page played in headless Chromium (tests/web): run with ctest --test-dir build-web.
enable_testing()
add_test(NAME web_browser
  COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/web/browser_test.py ${CMAKE_BINARY_DIR})
set_tests_properties(web_browser PROPERTIES TIMEOUT 1500)
