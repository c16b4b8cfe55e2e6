// The ways the game waits on the browser, replaced so that the page can end them early.
// When the tab closes, the page wakes the game at once so that it can leave and save before
// the page goes away: a timer would never fire, and IndexedDB would never answer.
mergeInto(LibraryManager.library, {
  // Sleeps for up to `ms` and calls `wakeUp` once; Module.qzPendingWake ends the sleep now.
  $qzSleep__deps: ['$callUserCallback', '$runtimeKeepalivePush', '$runtimeKeepalivePop'],
  $qzSleep: function(ms, wakeUp) {
    runtimeKeepalivePush();
    var timer = 0;
    var wake = function() {
      if (Module.qzPendingWake !== wake) return;
      Module.qzPendingWake = null;
      Module.qzEventWake = null;
      clearTimeout(timer);
      runtimeKeepalivePop();
      callUserCallback(wakeUp);
    };
    Module.qzPendingWake = wake;
    timer = setTimeout(wake, ms);
    return wake;
  },

  // The runtime's timed sleep. SDL_Delay and the game's Sleep run their full time, as the
  // game's blocking pauses must; the game's event wait (qz_web_wake_on_event(1) around it)
  // also ends as soon as an event is queued, so an idle game costs the browser nothing
  // between events.
  emscripten_sleep__deps: ['$qzSleep'],
  emscripten_sleep: function(ms) {
    Asyncify.handleSleep(function(wakeUp) {
      var wake = qzSleep(ms, wakeUp);
      if (Module.qzWakeOnEvent) Module.qzEventWake = wake;
    });
  },

  qz_web_wake_on_event: function(on) {
    Module.qzWakeOnEvent = !!on;
  },

  // Called as an event is queued (SDL's event watch): input and timer ticks are queued by the
  // page's handlers, so the game goes on once the handler has returned.
  qz_web_event_queued: function() {
    var wake = Module.qzEventWake;
    if (wake) queueMicrotask(function() {
      if (Module.qzEventWake === wake) wake();
    });
  },

  // fsync: waits until the storage holds the files (storage.js), and fails as a full disk
  // does when the storage is full, or with an I/O error when it failed or did not answer.
  // While the tab closes it returns at once, and a wait under way ends (Module.qzPendingWake):
  // the storage cannot answer any more, and the page journals the files instead.
  fd_sync__deps: ['$SYSCALLS', '$FS', '$callUserCallback'],
  fd_sync: function(fd) {
    try {
      var stream = SYSCALLS.getStreamFromFD(fd);
      var mount = stream.node.mount;
      if (Module.qzLeaving || !mount.type.syncfs || !Module.qzStorageKept ||
          !Module.qzStorageKept())
        return 0;
      return Asyncify.handleSleep(function(wakeUp) {
        var finished = false;
        var finish = function(result) {
          if (finished) return;
          finished = true;
          if (Module.qzPendingWake === leaving) Module.qzPendingWake = null;
          // The game may leave before it waits again: its exit is the runtime's to handle.
          callUserCallback(function() { wakeUp(result); });
        };
        var leaving = function() { finish(0); };
        Module.qzPendingWake = leaving;
        Module.qzSync(function(error) {
          if (!error) finish(0);
          else if (error.name === 'QuotaExceededError') finish({{{ cDefine('ENOSPC') }}});
          else finish({{{ cDefine('EIO') }}});
        });
      });
    } catch (e) {
      if (typeof FS === 'undefined' || !(e instanceof FS.ErrnoError)) throw e;
      return e.errno;
    }
  },
});
