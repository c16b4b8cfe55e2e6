// Runs inside the game's module. Browsers keep a page silent until the player first presses a
// key or clicks; SDL's audio asks the runtime to resume its audio context then, a helper this
// Emscripten release does not have.
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
