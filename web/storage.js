// Runs inside the game's module before main(): the settings file and qz.log live in the
// browser's storage (IndexedDB, through Emscripten's IDBFS) under /data, which is also the
// folder the game starts in. Every file written there is copied to the storage as soon as it
// is closed or renamed, so a reload or a closed tab keeps every record written so far.
// A browser that refuses the storage (a private window, storage full) still plays: the files
// then live in memory, and the page says once that progress will not be kept.
var qzStorage = {ok: false, busy: false, again: false, waiters: [], told: false};

function qzStorageRefused(why) {
  qzStorage.ok = false;
  if (!qzStorage.told) {
    qzStorage.told = true;
    err('storage refused: ' + why);
    if (Module.qzStorageRefused) Module.qzStorageRefused(String(why));
  }
}

function qzPersist() {
  if (!qzStorage.ok) return;
  if (qzStorage.busy) {
    qzStorage.again = true;
    return;
  }
  qzStorage.busy = true;
  FS.syncfs(false, function(error) {
    qzStorage.busy = false;
    if (error) qzStorageRefused(error.message || error);
    if (qzStorage.again) {
      qzStorage.again = false;
      qzPersist();
      return;
    }
    var waiters = qzStorage.waiters;
    qzStorage.waiters = [];
    waiters.forEach(function(resolve) { resolve(); });
  });
}

// Resolves when everything written so far is in the storage (the tests wait for it).
Module.qzStorageSettled = function() {
  if (!qzStorage.busy) return Promise.resolve();
  return new Promise(function(resolve) { qzStorage.waiters.push(resolve); });
};

function qzWritesToData(path) {
  return typeof path === 'string' && path.indexOf('/data/') === 0;
}

function qzHookWrites() {
  var close = FS.close;
  FS.close = function(stream) {
    var wrote = stream && qzWritesToData(stream.path) && (stream.flags & 3) !== 0;
    var result = close.apply(this, arguments);
    if (wrote) qzPersist();
    return result;
  };
  var rename = FS.rename;
  FS.rename = function(from, to) {
    var result = rename.apply(this, arguments);
    if (qzWritesToData(to)) qzPersist();
    return result;
  };
}

Module.preRun = Module.preRun || [];
Module.preRun.push(function() {
  FS.mkdir('/data');
  ENV.HOME = '/data';
  ENV.XDG_CONFIG_HOME = '/data/config';
  try {
    FS.mount(IDBFS, {}, '/data');
  } catch (e) {
    qzStorageRefused(e.message || e);
    FS.chdir('/data');
    return;
  }
  FS.chdir('/data');
  qzHookWrites();
  addRunDependency('qz-storage');
  try {
    FS.syncfs(true, function(error) {
      if (error) qzStorageRefused(error.message || error);
      else qzStorage.ok = true;
      removeRunDependency('qz-storage');
    });
  } catch (e) {
    qzStorageRefused(e.message || e);
    removeRunDependency('qz-storage');
  }
});
