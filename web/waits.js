// The two ways the game waits on the browser, replaced so that the page can end them early.
// When the tab closes, the page wakes the game at once so that it can leave and save before
// the page goes away: a timer would never fire, and IndexedDB would never answer.
mergeInto(LibraryManager.library, {
  // The runtime's timed sleep (SDL_Delay and the game's waits), with its wake-up kept where
  // the page can call it.
  emscripten_sleep__deps: ['$callUserCallback', '$runtimeKeepalivePush', '$runtimeKeepalivePop'],
  emscripten_sleep: function(ms) {
    Asyncify.handleSleep(function(wakeUp) {
      runtimeKeepalivePush();
      var timer = 0;
      var wake = function() {
        if (Module.qzPendingWake !== wake) return;
        Module.qzPendingWake = null;
        clearTimeout(timer);
        runtimeKeepalivePop();
        callUserCallback(wakeUp);
      };
      Module.qzPendingWake = wake;
      timer = setTimeout(wake, ms);
    });
  },

  // fsync: waits until the file system's storage holds the files, as the runtime's own does.
  // While the tab closes it returns at once: the storage cannot answer any more, and the
  // page journals the files instead.
  fd_sync__deps: ['$SYSCALLS', '$FS'],
  fd_sync: function(fd) {
    try {
      var stream = SYSCALLS.getStreamFromFD(fd);
      var mount = stream.node.mount;
      if (Module.qzLeaving || !mount.type.syncfs) return 0;
      return Asyncify.handleSleep(function(wakeUp) {
        // A storage that fails is the page's to report (storage.js): the game plays on from
        // memory, as the runtime's own fsync let it.
        mount.type.syncfs(mount, false, function() { wakeUp(0); });
      });
    } catch (e) {
      if (typeof FS === 'undefined' || !(e instanceof FS.ErrnoError)) throw e;
      return e.errno;
    }
  },
});
