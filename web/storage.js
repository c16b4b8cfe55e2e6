// Runs inside the game's module before main(): the settings file and qz.log live in the
// browser's storage (IndexedDB, through Emscripten's IDBFS) under /data, which is also the
// folder the game starts in. Every file written there is copied to the storage as soon as it
// is closed or renamed, so a reload or a closed tab keeps every record written so far.
// A tab closing cannot wait for IndexedDB, so the files written since the last completed copy
// are also put, synchronously, in a journal in localStorage; the next start applies the
// journal before the game reads anything, copies it to the storage, and then clears it.
// A browser that refuses the storage (a private window, storage full) still plays: the files
// then live in memory, and the page says once that progress will not be kept.
var qzStorage = {ok: false, busy: false, again: false, waiters: [], told: false,
                 dirty: {}, copying: {}, journalled: false};
var QZ_JOURNAL_KEY = 'quizendo-journal';

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
  qzStorage.copying = qzStorage.dirty;
  qzStorage.dirty = {};
  FS.syncfs(false, function(error) {
    qzStorage.busy = false;
    if (error) {
      Object.assign(qzStorage.dirty, qzStorage.copying);
      qzStorageRefused(error.message || error);
    } else if (!qzStorage.again) {
      qzForgetJournal();  // everything, the journal's files included, is in the storage
    }
    qzStorage.copying = {};
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

// The journal: path -> the file's bytes as a string of char codes 0-255.
function qzWriteJournal() {
  if (!qzStorage.ok) return;
  var paths = Object.keys(Object.assign({}, qzStorage.copying, qzStorage.dirty));
  if (paths.length === 0) return;
  var journal = {};
  paths.forEach(function(path) {
    var bytes;
    try {
      bytes = FS.readFile(path);
    } catch (e) {
      return;  // renamed or removed since: its new name is in the list
    }
    var text = '';
    for (var i = 0; i < bytes.length; i += 8192)
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
    journal[path] = text;
  });
  try {
    localStorage.setItem(QZ_JOURNAL_KEY, JSON.stringify(journal));
    qzStorage.journalled = true;
  } catch (e) {
    err('the journal could not be written: ' + (e.message || e));
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
    if (!qzWritesToData(path) || typeof journal[path] !== 'string') return;
    var text = journal[path];
    var bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; i++) bytes[i] = text.charCodeAt(i) & 255;
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

function qzWritesToData(path) {
  return typeof path === 'string' && path.indexOf('/data/') === 0;
}

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
  qzHookWrites();
  addRunDependency('qz-storage');
  try {
    FS.syncfs(true, function(error) {
      if (error) qzStorageRefused(error.message || error);
      else {
        qzStorage.ok = true;
        qzApplyJournal();
      }
      removeRunDependency('qz-storage');
    });
  } catch (e) {
    qzStorageRefused(e.message || e);
    removeRunDependency('qz-storage');
  }
});
