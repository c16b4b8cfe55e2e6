# The web scripts replace functions of the Emscripten runtime (web/waits.js: emscripten_sleep,
# fd_sync; web/sound.js: autoResumeAudioContext, dynCall) as the release below shapes them.
# Another release may name or shape those internals differently, and the page would then fail
# in the browser, not here; so the build stops on it and says what to check.
set(QZ_WEB_EMSCRIPTEN_RELEASE 3.1.6)
if(NOT EMSCRIPTEN_VERSION VERSION_EQUAL QZ_WEB_EMSCRIPTEN_RELEASE)
  message(FATAL_ERROR "This is Emscripten ${EMSCRIPTEN_VERSION}; web/waits.js and web/sound.js "
    "replace runtime functions as Emscripten ${QZ_WEB_EMSCRIPTEN_RELEASE} has them. Build with "
    "that release, or check those scripts against this one and then change "
    "QZ_WEB_EMSCRIPTEN_RELEASE in cmake/web_release.cmake.")
endif()
