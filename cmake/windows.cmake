# The Windows build: the same game cross-compiled with mingw-w64 (cmake/mingw-w64.cmake)
# against SDL2, SDL2_ttf (FreeType) and SDL2_mixer built for Windows by
# tools/windows/build-deps.sh, linked statically so that the programs need no DLL beside them.
# Configure with
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#     -DQZ_WINDOWS_DEPS=<the folder build-deps.sh printed>
# The build folder then holds quizendo.exe and quizendo-report.exe with assets/ and fonts/ beside
# them, the installer Quizendo-<version>-setup.exe and the zip Quizendo-<version>-windows.zip.

if(NOT EXISTS "${QZ_WINDOWS_DEPS}/lib/libSDL2.a")
  message(FATAL_ERROR "QZ_WINDOWS_DEPS must name the folder tools/windows/build-deps.sh prints")
endif()

# The faces the game draws with, installed beside the program.
set(QZ_WINDOWS_FONTS DejaVuSansCondensed-Bold.ttf DejaVuSans.ttf DejaVuSansCondensed.ttf)

add_library(qz_windows_sdl INTERFACE)
target_include_directories(qz_windows_sdl INTERFACE ${QZ_WINDOWS_DEPS}/include/SDL2
  ${QZ_WINDOWS_DEPS}/include)
target_link_libraries(qz_windows_sdl INTERFACE
  ${QZ_WINDOWS_DEPS}/lib/libSDL2_mixer.a ${QZ_WINDOWS_DEPS}/lib/libSDL2_ttf.a
  ${QZ_WINDOWS_DEPS}/lib/libfreetype.a ${QZ_WINDOWS_DEPS}/lib/libSDL2.a
  setupapi winmm imm32 version ole32 oleaut32 uuid gdi32 advapi32 shell32 user32 kernel32
  cfgmgr32)
# Wide-character Windows calls throughout (MessageBoxW, CreateFileW, ...).
target_compile_definitions(qz_windows_sdl INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

file(GLOB_RECURSE QZ_WINDOWS_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/platform/*.cpp ${CMAKE_SOURCE_DIR}/src/ui/*.cpp
  ${CMAKE_SOURCE_DIR}/src/engine/*.cpp ${CMAKE_SOURCE_DIR}/src/game/*.cpp
  ${CMAKE_SOURCE_DIR}/src/profile/*.cpp ${CMAKE_SOURCE_DIR}/src/records/*.cpp
  ${CMAKE_SOURCE_DIR}/src/app/*.cpp)
# Windows has its own files, settings, lock, message box and ends of a session; the desktop's
# POSIX pieces, the browser's and the headless twin stay out. Only the asset folder is shared.
list(FILTER QZ_WINDOWS_SOURCES EXCLUDE REGEX
  ".*/src/platform/(headless|sdl/web)/.*")
list(FILTER QZ_WINDOWS_SOURCES EXCLUDE REGEX
  ".*/src/platform/posix/(atomic_file|ini_settings_store|instance_lock|posix_file_appender|posix_record_folder)\\.cpp$")
list(FILTER QZ_WINDOWS_SOURCES EXCLUDE REGEX
  ".*/src/platform/sdl/(sdl_message_box|box_process_watch|terminate_request|sdl_font_source)\\.cpp$")
list(FILTER QZ_WINDOWS_SOURCES EXCLUDE REGEX
  ".*/src/app/(main|startup|single_instance|cadet_start|win32/wide_main)\\.cpp$")
add_library(quizendo_windows_core STATIC ${QZ_WINDOWS_SOURCES})
target_include_directories(quizendo_windows_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
# Where nothing is installed beside the program; the game looks beside it first.
target_compile_definitions(quizendo_windows_core PUBLIC QZ_DATA_DIR="assets")
target_link_libraries(quizendo_windows_core PUBLIC qz_windows_sdl)
qz_apply_options(quizendo_windows_core)

# No -static-libgcc alone: -static takes the C++ library and the thread library in as well.
# -s: no symbols in the shipped programs.
set(QZ_WINDOWS_LINK -static -municode -s)

# The game: a window program (no console window of its own), entered through wmain.
# main.cpp's main is renamed so that the wide entry can hand it the UTF-8 command line.
add_executable(quizendo ${CMAKE_SOURCE_DIR}/src/app/main.cpp
  ${CMAKE_SOURCE_DIR}/src/app/win32/wide_main.cpp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/main.cpp PROPERTIES
  COMPILE_DEFINITIONS main=QzMain)
target_link_libraries(quizendo PRIVATE quizendo_windows_core)
target_link_options(quizendo PRIVATE ${QZ_WINDOWS_LINK} -mwindows)
qz_apply_options(quizendo)

# The progress report, a console program: its own code over the game's log reader, with the
# Windows versions of its file handling.
file(GLOB QZ_WINDOWS_REPORT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/report/*.cpp
  ${CMAKE_SOURCE_DIR}/src/report/win32/*.cpp)
list(FILTER QZ_WINDOWS_REPORT_SOURCES EXCLUDE REGEX
  ".*/src/report/(main|staged_file|input_files)\\.cpp$")
add_executable(quizendo-report ${CMAKE_SOURCE_DIR}/src/report/main.cpp
  ${CMAKE_SOURCE_DIR}/src/app/win32/wide_main.cpp ${QZ_WINDOWS_REPORT_SOURCES})
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/report/main.cpp PROPERTIES
  COMPILE_DEFINITIONS main=QzMain)
target_link_libraries(quizendo-report PRIVATE quizendo_windows_core)
target_link_options(quizendo-report PRIVATE ${QZ_WINDOWS_LINK} -mconsole)
qz_apply_options(quizendo-report)

# assets/ and fonts/ beside the program, as the installer and the zip lay them out.
file(GLOB QZ_WINDOWS_ASSETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/*.bmp
  ${CMAKE_SOURCE_DIR}/assets/*.wav ${CMAKE_SOURCE_DIR}/assets/*.dlg)
set(QZ_WINDOWS_LAYOUT)
foreach(asset ${QZ_WINDOWS_ASSETS})
  get_filename_component(name ${asset} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/assets/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${asset} ${CMAKE_BINARY_DIR}/assets/${name}
    DEPENDS ${asset} VERBATIM)
  list(APPEND QZ_WINDOWS_LAYOUT ${CMAKE_BINARY_DIR}/assets/${name})
endforeach()
foreach(font ${QZ_WINDOWS_FONTS})
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/fonts/${font}
    COMMAND ${CMAKE_COMMAND} -E copy ${QZ_FONT_DIR}/${font} ${CMAKE_BINARY_DIR}/fonts/${font}
    DEPENDS ${QZ_FONT_DIR}/${font} VERBATIM)
  list(APPEND QZ_WINDOWS_LAYOUT ${CMAKE_BINARY_DIR}/fonts/${font})
endforeach()
add_custom_target(quizendo_windows_layout ALL DEPENDS ${QZ_WINDOWS_LAYOUT})

# The installer (NSIS, 64-bit and Unicode) and a zip of the same files that plays from any
# folder: Quizendo/ with the programs, assets/ and fonts/.
find_program(QZ_MAKENSIS makensis REQUIRED)
set(QZ_SETUP ${CMAKE_BINARY_DIR}/Quizendo-${PROJECT_VERSION}-setup.exe)
add_custom_command(OUTPUT ${QZ_SETUP}
  COMMAND ${QZ_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DBUILD=${CMAKE_BINARY_DIR}
    -DSOURCE=${CMAKE_SOURCE_DIR} -DOUTFILE=${QZ_SETUP}
    ${CMAKE_SOURCE_DIR}/packaging/windows/quizendo.nsi
  DEPENDS quizendo quizendo-report ${QZ_WINDOWS_LAYOUT}
    ${CMAKE_SOURCE_DIR}/packaging/windows/quizendo.nsi
    ${CMAKE_SOURCE_DIR}/packaging/windows/quizendo-report.cmd
  VERBATIM)
set(QZ_ZIP ${CMAKE_BINARY_DIR}/Quizendo-${PROJECT_VERSION}-windows.zip)
set(QZ_ZIP_ROOT ${CMAKE_BINARY_DIR}/zip/Quizendo)
add_custom_command(OUTPUT ${QZ_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QZ_ZIP_ROOT}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quizendo> $<TARGET_FILE:quizendo-report>
    ${QZ_ZIP_ROOT}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/assets ${QZ_ZIP_ROOT}/assets
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/fonts ${QZ_ZIP_ROOT}/fonts
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip
    ${CMAKE_COMMAND} -E tar cf ${QZ_ZIP} --format=zip Quizendo
  DEPENDS quizendo quizendo-report ${QZ_WINDOWS_LAYOUT}
  VERBATIM)
add_custom_target(quizendo_windows_packages ALL DEPENDS ${QZ_SETUP} ${QZ_ZIP})

# The programs under Wine on a virtual X server (tests/windows), one at a time: each makes a
# Wine prefix of its own and starts its own X server. Run with ctest --test-dir build-windows.
enable_testing()
file(GLOB QZ_WINE_SCRIPTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*_test.sh)
foreach(script ${QZ_WINE_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME wine.${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR})
  set_tests_properties(wine.${name} PROPERTIES TIMEOUT 420 RUN_SERIAL TRUE
    ENVIRONMENT "QZ_E2E_DEADLINE=400")
endforeach()
