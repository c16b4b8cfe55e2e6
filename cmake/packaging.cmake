# Where `cmake --install` puts the programs and their files, and the Debian package CPack makes
# of the same files:
#
#   cpack -G DEB --config build/CPackConfig.cmake     (after building the release build in build/)
#
# writes quizendo_<version>_<arch>.deb in the current folder.

set(QZ_APP_ID org.quizendo.Quizendo)
# Debian keeps a game's programs in games/ (/usr/games, /usr/local/games).
set(QZ_INSTALL_GAMESDIR games CACHE STRING "Where the programs go, under the prefix")

# Debian wants manual pages and changelogs compressed, without a time stamp.
find_program(QZ_GZIP gzip REQUIRED)
set(QZ_DOC_FILES
  ${CMAKE_SOURCE_DIR}/docs/man/quizendo.6
  ${CMAKE_SOURCE_DIR}/docs/man/quizendo-report.1
  ${CMAKE_SOURCE_DIR}/packaging/changelog)
set(QZ_COMPRESSED_DOCS)
foreach(doc ${QZ_DOC_FILES})
  get_filename_component(name ${doc} NAME)
  set(out ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${QZ_GZIP} -9 -n -c ${doc} > ${out}
    DEPENDS ${doc} VERBATIM)
  list(APPEND QZ_COMPRESSED_DOCS ${out})
endforeach()
add_custom_target(quizendo_docs ALL DEPENDS ${QZ_COMPRESSED_DOCS})

install(TARGETS quizendo quizendo-report RUNTIME DESTINATION ${QZ_INSTALL_GAMESDIR})
# The progress report's menu entry runs this: the page made and opened, or why not.
install(PROGRAMS packaging/quizendo-report-open DESTINATION ${QZ_INSTALL_GAMESDIR})
install(FILES assets/quizendo.desktop assets/quizendo-report.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(DIRECTORY assets/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quizendo
  PATTERN "src" EXCLUDE PATTERN "icons" EXCLUDE PATTERN "*.desktop" EXCLUDE)
install(DIRECTORY assets/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES packaging/${QZ_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/packaging/quizendo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/quizendo-report.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quizendo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quizendo team")
set(CPACK_PACKAGE_CONTACT "The Quizendo team <team@quizendo.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arithmetic drill game for children")
# Lines of at most 80 characters, as Debian's control files want them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quizendo trains children from about six years in addition, subtraction,"
  "multiplication and division, dressed as martial-arts training: ten seconds"
  "a problem, points and energy for right and fast answers, belts from White to"
  "Black and ranks from Newbie to Master. Every answer is kept in a plain-text"
  "log, and quizendo-report turns the log into a progress page for parents and"
  "teachers.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The game opens these fonts by path; dpkg-shlibdeps cannot see that. It adds the libraries
# (SDL2, SDL2_ttf, SDL2_mixer, fontconfig) itself.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-dejavu-extra")
# A CJK font: names in Chinese, Japanese or Korean are drawn from it (fontconfig finds it).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-noto-cjk | fonts-wqy-zenhei")
include(CPack)
