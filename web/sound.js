// Runs inside the game's module: what SDL's audio expects of the runtime. Browsers keep a page silent until the player first presses a
// key or clicks; SDL's audio asks the runtime to resume its audio context then, a helper
// Emscripten 3.1.6 (the release cmake/web_release.cmake checks for) does not have.
function autoResumeAudioContext(context) {
  var events = ['keydown', 'mousedown', 'touchstart'];
  function resume() {
    if (context.state === 'suspended') context.resume();
    if (context.state !== 'suspended') {
      events.forEach(function(type) { document.removeEventListener(type, resume, true); });
    }
  }
  events.forEach(function(type) { document.addEventListener(type, resume, true); });
}

// SDL's audio callback calls the generic dynCall, which Emscripten 3.1.6 does not
// provide to code outside its own library; the typed dynCall_<sig> functions are there.
function dynCall(sig, ptr, args) {
  var call = Module['dynCall_' + sig];
  return args && args.length ? call.apply(null, [ptr].concat(args)) : call.call(null, ptr);
}
