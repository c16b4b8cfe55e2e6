// Runs inside the game's module: leaving when the tab closes. The page calls
// Module.qzLeaveNow() from its pagehide handler. The game gets the order to end it also gets
// from SIGTERM on the desktop, and is woken from its sleep again and again (see waits.js)
// until it has left: its leaving cuts every wait short, so this takes no time. What it wrote
// is then journalled, as the copy to IndexedDB may not finish before the page goes away.
var QZ_LEAVE_WAKES = 10000;

// A game waiting on a promise (the page's message box, which the page closes first) goes on
// in a microtask, so the wakes are tried again there a few times.
var QZ_LEAVE_RETRIES = 20;

Module.qzLeaveNow = function(retry) {
  retry = retry || 0;
  if (!runtimeExited && !ABORT) {
    Module.qzLeaving = true;
    Module['_qz_web_terminate']();
    for (var i = 0; i < QZ_LEAVE_WAKES && Module.qzPendingWake; i++) Module.qzPendingWake();
  }
  qzWriteJournal();
  if (!runtimeExited && !ABORT && retry < QZ_LEAVE_RETRIES)
    queueMicrotask(function() { Module.qzLeaveNow(retry + 1); });
  else if (Module.qzLeft)
    Module.qzLeft();  // the journal is final
};
