// Runs inside the game's module before main(): the settings file and qz.log live in the
// browser's storage (IndexedDB, through Emscripten's IDBFS) under /data, which is also the
// folder the game starts in. Every file written there is copied to the storage as soon as it
// is synchronised (the game's fsync waits for the copy and hears when it failed), closed or
// renamed, so a reload or a closed tab keeps every record written so far.
// A tab closing cannot wait for IndexedDB, so what was written since the last finished copy
// is also put, synchronously, in a journal in localStorage: the bytes appended to a log since
// then, and whole any other (small) file. The next start applies the journal before the game
// reads anything, copies it to the storage, and then clears it.
// A browser that refuses the storage (a private window) still plays: the files then live in
// memory, and the page says once that progress will not be kept. A storage that fails later
// (full, cleared, not answering) fails the game's write as a full disk does, the page says
// that progress may not be kept, and the next write tries again, opening the storage anew.
var qzStorage = {ok: false, told: false, failedTold: false, running: false, queue: [],
                 waiters: [], finish: null, dirty: {}, copying: {}, stored: {},
                 journalled: false};
var QZ_JOURNAL_KEY = 'quizendo-journal';
// A copy that has not finished by then is taken as failed: the game never waits for ever.
var QZ_SYNC_TIMEOUT_MS = 10000;
var QZ_SYNC_TRIES = 3;

function qzStorageRefused(why) {
  qzStorage.ok = false;
  if (!qzStorage.told) {
    qzStorage.told = true;
    err('storage refused: ' + why);
    if (Module.qzStorageRefused) Module.qzStorageRefused(String(why));
  }
}

function qzStorageFailed(error) {
  err('storage failed: ' + (error && (error.name + ': ' + error.message) || error));
  if (!qzStorage.failedTold) {
    qzStorage.failedTold = true;
    if (Module.qzStorageFailed) Module.qzStorageFailed(String(error && error.message || error));
  }
}

function qzWritesToData(path) {
  return typeof path === 'string' && path.indexOf('/data/') === 0;
}

function qzIsLog(path) {
  return /\.log$/.test(path);
}

// Every file under /data with its size.
function qzFileSizes() {
  var sizes = {};
  var folders = ['/data'];
  while (folders.length) {
    var folder = folders.pop();
    var names;
    try {
      names = FS.readdir(folder);
    } catch (e) {
      continue;
    }
    names.forEach(function(name) {
      if (name === '.' || name === '..') return;
      var path = folder + '/' + name;
      try {
        var stat = FS.stat(path);
        if (FS.isDir(stat.mode)) folders.push(path);
        else if (FS.isFile(stat.mode)) sizes[path] = stat.size;
      } catch (e) {
      }
    });
  }
  return sizes;
}

// IDBFS's own transactions report a request's error but not an aborted transaction (a full
// storage aborts it), and its cached connection is dead once the browser closed it (site
// data cleared): the copy would then never call back. Every transaction is watched here, and
// a closed connection is forgotten so that the next copy opens the storage anew.
function qzWatchStorage() {
  var getDB = IDBFS.getDB;
  IDBFS.getDB = function(name, callback) {
    getDB(name, function(error, db) {
      if (error || !db || db.qzWatched) return callback(error, db);
      db.qzWatched = true;
      var forget = function() {
        if (IDBFS.dbs[name] === db) delete IDBFS.dbs[name];
      };
      db.onclose = forget;
      db.onversionchange = function() {
        forget();
        db.close();
      };
      var transaction = db.transaction;
      db.transaction = function() {
        var made;
        try {
          made = transaction.apply(db, arguments);
        } catch (e) {
          forget();
          qzCopyFailed(e);
          throw e;
        }
        made.addEventListener('abort', function() {
          qzCopyFailed(made.error || new DOMException('The copy was aborted.', 'AbortError'));
        });
        made.addEventListener('error', function(event) {
          qzCopyFailed(event.target && event.target.error || made.error);
        });
        return made;
      };
      callback(null, db);
    });
  };
}

function qzCopyFailed(error) {
  if (qzStorage.finish) qzStorage.finish(error || new Error('the storage failed'));
}

// Copies the files to the storage (or, populating, from it), one copy at a time; `done` is
// called once with null or the error, whatever the storage does.
function qzSync(populate, done) {
  qzStorage.queue.push({populate: populate, done: done});
  if (!qzStorage.running) qzNextSync();
}

function qzNextSync() {
  var job = qzStorage.queue.shift();
  if (!job) {
    qzStorage.running = false;
    var waiters = qzStorage.waiters;
    qzStorage.waiters = [];
    waiters.forEach(function(resolve) { resolve(); });
    return;
  }
  qzStorage.running = true;
  var sizes = qzFileSizes();
  qzStorage.copying = Object.assign(qzStorage.copying, qzStorage.dirty);
  qzStorage.dirty = {};
  var timer = 0;
  var finished = false;
  var finish = function(error) {
    if (finished) return;
    finished = true;
    clearTimeout(timer);
    qzStorage.finish = null;
    // A file renamed or removed while the copy was under way (the settings' staged save) is
    // not a failing storage: the copy is made again from the files as they are now.
    if (error instanceof FS.ErrnoError && (job.tries || 0) < QZ_SYNC_TRIES) {
      job.tries = (job.tries || 0) + 1;
      Object.assign(qzStorage.dirty, qzStorage.copying);
      qzStorage.copying = {};
      qzStorage.queue.unshift(job);
      qzNextSync();
      return;
    }
    if (error) {
      Object.assign(qzStorage.dirty, qzStorage.copying);
    } else if (!job.populate) {
      qzStorage.stored = sizes;
    }
    qzStorage.copying = {};
    // Everything, the journal's files included, is in the storage unless written meanwhile.
    if (!error && !job.populate && Object.keys(qzStorage.dirty).length === 0 &&
        JSON.stringify(sizes) === JSON.stringify(qzFileSizes()))
      qzForgetJournal();
    try {
      job.done(error || null);
    } finally {
      qzNextSync();
    }
  };
  qzStorage.finish = finish;
  timer = setTimeout(function() {
    finish(new DOMException('The browser\'s storage did not answer.', 'TimeoutError'));
  }, QZ_SYNC_TIMEOUT_MS);
  try {
    FS.syncfs(job.populate, function(error) { finish(error); });
  } catch (e) {
    finish(e);
  }
}

// Storage that was refused from the start keeps nothing: a write succeeds in memory.
Module.qzStorageKept = function() {
  return qzStorage.ok;
};

// The game's fsync: waits for a copy of everything written so far; `done` gets the error.
Module.qzSync = function(done) {
  qzSync(false, function(error) {
    if (error) qzStorageFailed(error);
    done(error);
  });
};

function qzPersist() {
  if (!qzStorage.ok) return;
  // One copy waiting behind the running one takes every change made meanwhile.
  if (qzStorage.queue.length) return;
  qzSync(false, function(error) {
    if (error) qzStorageFailed(error);
  });
}

// Resolves when everything written so far is in the storage, or failed (the tests and a
// restart of the game wait for it).
Module.qzStorageSettled = function() {
  if (!qzStorage.running) return Promise.resolve();
  return new Promise(function(resolve) { qzStorage.waiters.push(resolve); });
};

function qzBytesToText(bytes) {
  var text = '';
  for (var i = 0; i < bytes.length; i += 8192)
    text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
  return text;
}

// The journal: path -> {at, data}: the file is its first `at` bytes as in the storage,
// followed by `data` (bytes as a string of char codes 0-255). A log only grows, so its entry
// holds what was appended since the last finished copy; any other file is whole (at 0).
function qzWriteJournal() {
  if (!qzStorage.ok) return;
  var sizes = qzFileSizes();
  var changed = Object.assign({}, qzStorage.copying, qzStorage.dirty);
  Object.keys(sizes).forEach(function(path) {
    if (sizes[path] !== qzStorage.stored[path]) changed[path] = true;
  });
  var paths = Object.keys(changed);
  if (paths.length === 0) return;
  var journal = {};
  paths.forEach(function(path) {
    var bytes;
    try {
      // The file's own bytes, not a copy: a big log is read only where it grew.
      bytes = MEMFS.getFileDataAsTypedArray(FS.lookupPath(path).node);
    } catch (e) {
      return;  // renamed or removed since: its new name is in the list
    }
    var at = qzIsLog(path) ? Math.min(qzStorage.stored[path] || 0, bytes.length) : 0;
    journal[path] = {at: at, data: qzBytesToText(bytes.subarray(at))};
  });
  try {
    localStorage.setItem(QZ_JOURNAL_KEY, JSON.stringify(journal));
    qzStorage.journalled = true;
  } catch (e) {
    err('the journal could not be written: ' + (e.message || e));
    // An older journal applied later would put back older contents.
    try {
      localStorage.removeItem(QZ_JOURNAL_KEY);
    } catch (e2) {
    }
  }
}

// Once everything is in the storage, the journal (this visit's or the last one's, applied)
// is stale: applied later, it would put back older contents.
function qzForgetJournal() {
  if (!qzStorage.journalled) return;
  qzStorage.journalled = false;
  try {
    localStorage.removeItem(QZ_JOURNAL_KEY);
  } catch (e) {
  }
}

// Puts back what the last visit wrote while its tab was closing.
function qzApplyJournal() {
  var journal;
  try {
    journal = JSON.parse(localStorage.getItem(QZ_JOURNAL_KEY) || 'null');
  } catch (e) {
    return;
  }
  if (!journal || typeof journal !== 'object') return;
  Object.keys(journal).forEach(function(path) {
    var entry = journal[path];
    if (typeof entry === 'string') entry = {at: 0, data: entry};  // whole files, as once kept
    if (!qzWritesToData(path) || !entry || typeof entry.data !== 'string' ||
        typeof entry.at !== 'number' || !(entry.at >= 0))
      return;
    var kept = new Uint8Array(0);
    if (entry.at > 0) {
      try {
        kept = FS.readFile(path);
      } catch (e) {
      }
      // The storage may hold more than `at` bytes (a copy finished as the tab closed): the
      // journal's data follows the first `at` of them.
      kept = kept.subarray(0, Math.min(entry.at, kept.length));
    }
    var bytes = new Uint8Array(kept.length + entry.data.length);
    bytes.set(kept);
    for (var i = 0; i < entry.data.length; i++)
      bytes[kept.length + i] = entry.data.charCodeAt(i) & 255;
    try {
      FS.mkdirTree(path.substring(0, path.lastIndexOf('/')));
      FS.writeFile(path, bytes);
      qzStorage.dirty[path] = true;
    } catch (e) {
      err('the journal could not be applied to ' + path + ': ' + (e.message || e));
    }
  });
  qzStorage.journalled = true;
  qzPersist();
}

Module.qzWriteJournal = qzWriteJournal;

function qzHookWrites() {
  var close = FS.close;
  FS.close = function(stream) {
    var wrote = stream && qzWritesToData(stream.path) && (stream.flags & 3) !== 0;
    var result = close.apply(this, arguments);
    if (wrote) {
      qzStorage.dirty[stream.path] = true;
      qzPersist();
    }
    return result;
  };
  var rename = FS.rename;
  FS.rename = function(from, to) {
    var result = rename.apply(this, arguments);
    if (qzWritesToData(to)) {
      qzStorage.dirty[to] = true;
      qzPersist();
    }
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
  qzWatchStorage();
  qzHookWrites();
  addRunDependency('qz-storage');
  qzSync(true, function(error) {
    if (error) {
      qzStorageRefused(error.message || error);
    } else {
      qzStorage.ok = true;
      qzStorage.stored = qzFileSizes();
      qzApplyJournal();
    }
    removeRunDependency('qz-storage');
  });
});
