// The page around the game: loads it, fits its canvas, keeps the keyboard for it, draws its
// message boxes, and offers the parent the progress report and the log.
'use strict';

(function() {
  const $ = (id) => document.getElementById(id);
  const canvas = $('canvas');
  // The game's keyboard: a text box the player never sees, so that typed text, a paste and
  // an input method's text reach the game whole (see web_text_input.cpp).
  const typing = $('typing');
  const state = {running: false, ended: false, boxOpen: false, closeBox: null, log: []};

  function showProblem(text) {
    $('loading').hidden = true;
    $('over').hidden = true;
    canvas.hidden = true;
    $('problem').textContent = text;
    $('problem').hidden = false;
  }

  // A page where the game never started: its buttons would offer an empty report and an empty
  // log, where the parent may have real ones in another tab.
  function showProblemWithoutGame(text) {
    showProblem(text);
    $('parents').hidden = true;
  }

  if (location.protocol === 'file:') {
    showProblemWithoutGame('Quizendo must be served over HTTP: a browser does not load the ' +
                           'game\'s files from a page opened as a file. Start "./run --web", ' +
                           'or put these files on any web server, and open the page\'s ' +
                           'http:// address.');
    return;
  }
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    showProblemWithoutGame('This browser cannot run Quizendo: it has no WebAssembly. Any ' +
                           'current Chrome, Edge, Firefox or Safari can.');
    return;
  }

  // Everything the game writes to its console, for the tests and for a bug report.
  function remember(line) {
    state.log.push(line);
    if (state.log.length > 500) state.log.shift();
    console.log(line);
  }

  // The room the canvas may fill, in CSS pixels: the stage beside the parents' panel.
  const stage = $('stage');
  const roomWidth = () => stage.clientWidth;
  const roomHeight = () => stage.clientHeight;

  // The game draws at a whole scale of device pixels; the canvas is shown at exactly that many
  // device pixels, so nothing is smoothed and text stays as sharp as the screen allows.
  // When the window changes size, the game picks the whole scale that now fits and draws again
  // (once no box is open over it). Until then, and where even scale 1 does not fit, the canvas
  // is shrunk to fit (smoothed, not whole pixels) rather than cut off.
  let drawn = null;
  function fitCanvas(width, height) {
    drawn = {width, height};
    const ratio = window.devicePixelRatio || 1;
    const shrink = Math.min(1, roomWidth() * ratio / width, roomHeight() * ratio / height);
    canvas.style.width = (width * shrink / ratio) + 'px';
    canvas.style.height = (height * shrink / ratio) + 'px';
    canvas.classList.toggle('shrunk', shrink < 1);
    $('loading').hidden = true;
    canvas.hidden = false;
  }
  function roomChanged() {
    if (drawn) fitCanvas(drawn.width, drawn.height);
    // The game picks the whole scale that now fits, and calls fitCanvas with its new size.
    if (window.Module) {
      window.Module.qzRoomChanged = true;
      if (window.Module.qzEventWake) window.Module.qzEventWake();
    }
  }
  window.addEventListener('resize', roomChanged);
  // The room also changes when the number pad comes or goes, and when a device turns.
  if (window.ResizeObserver) new ResizeObserver(roomChanged).observe(stage);

  function showBox(caption, text, icon) {
    return new Promise((resolve) => {
      $('box-caption').textContent = caption;
      $('box-text').textContent = text;
      const box = $('box');
      box.dataset.icon = String(icon);
      box.hidden = false;
      $('box-backdrop').hidden = false;
      const r = canvas.getBoundingClientRect();
      const s = stage.getBoundingClientRect();
      box.style.left = Math.max(0, r.left - s.left + (r.width - box.offsetWidth) / 2) + 'px';
      box.style.top = Math.max(0, r.top - s.top + (r.height - box.offsetHeight) / 2) + 'px';
      state.boxOpen = true;
      state.closeBox = () => {
        box.hidden = true;
        $('box-backdrop').hidden = true;
        state.boxOpen = false;
        state.closeBox = null;
        typing.focus();
        resolve();
      };
      $('box-ok').focus();
    });
  }
  $('box-ok').addEventListener('click', () => state.closeBox && state.closeBox());

  // While the game has the keyboard its keys are the game's, not the browser's: F1 is not
  // help, Tab does not leave the game, Backspace does not go back. While a box is open the
  // keys are the box's, and elsewhere in the page (the parents' buttons, the skip link) they
  // are the page's: they never reach the game.
  // The number pad, for screens without keys: it comes with the first touch and goes with the
  // next press of a real key (not one of the device's own keyboard, open for a name).
  const pad = $('pad');
  let textEntry = 0;  // what the game's focused box takes: 0 nothing, 1 digits, 2 text
  function showPad(show) {
    if (pad.hidden === !show) return;
    pad.hidden = !show;
    roomChanged();
  }
  // It comes as the first touch ends: that touch acts where it lands, before the game moves
  // aside for the pad.
  window.addEventListener('pointerup', (e) => {
    if (e.pointerType === 'touch' || e.pointerType === 'pen') showPad(true);
  }, true);
  window.addEventListener('keydown', (e) => {
    if (e.isTrusted && !e.isComposing && e.key !== 'Unidentified' && textEntry !== 2)
      showPad(false);
  }, true);

  const gameKeys = new Set(['F1', 'Tab', 'Backspace', 'Escape', 'Enter', 'ArrowLeft',
                            'ArrowRight', 'ArrowUp', 'ArrowDown', 'Home', 'End']);
  window.addEventListener('keydown', (e) => {
    if (!$('cadets').hidden) {
      if (e.key === 'Escape') closeCadetsPanel();
      e.stopImmediatePropagation();
      return;
    }
    if (!$('report').hidden) {
      if (e.key === 'Escape') closeReport();
      e.stopImmediatePropagation();
      return;
    }
    if (state.boxOpen) {
      if (e.key === 'Enter' || e.key === 'Escape' || e.key === ' ') state.closeBox();
      e.preventDefault();
      e.stopImmediatePropagation();
      return;
    }
    if (e.target !== typing) {
      e.stopImmediatePropagation();
      return;
    }
    // Ctrl+V is the browser's paste: the game hears it once the pasted text is there.
    if (e.ctrlKey && !e.altKey && (e.key === 'v' || e.key === 'V')) {
      e.stopImmediatePropagation();
      return;
    }
    if (gameKeys.has(e.key)) e.preventDefault();
  }, true);
  window.addEventListener('keyup', (e) => {
    if (state.boxOpen || !$('report').hidden || e.target !== typing) e.stopImmediatePropagation();
  }, true);
  // SDL's own text comes from keypress, a character at a time and half of one outside the
  // Basic Multilingual Plane; the typing box's text replaces it.
  window.addEventListener('keypress', (e) => e.stopImmediatePropagation(), true);

  function gameTakesInput() {
    return state.running && !state.ended && window.Module && Module._qz_web_typed;
  }
  function takeTyped() {
    const text = typing.value;
    typing.value = '';
    if (!text || !gameTakesInput()) return;
    Module.qzTyped = (Module.qzTyped || '') + text;
    Module._qz_web_typed();
  }
  // An input method's text counts once it is committed.
  typing.addEventListener('input', (e) => {
    if (!e.isComposing) takeTyped();
  });
  typing.addEventListener('compositionend', takeTyped);
  typing.addEventListener('paste', (e) => {
    e.preventDefault();
    if (!gameTakesInput()) return;
    Module.qzPasted = e.clipboardData ? e.clipboardData.getData('text/plain') : '';
    Module._qz_web_paste();
  });
  canvas.addEventListener('mousedown', (e) => {
    e.preventDefault();  // the focus stays with the game's keyboard
    typing.focus();
  });
  // A touch on the game gives no mouse events (SDL takes the touch itself): the game's keyboard
  // takes the focus here.
  canvas.addEventListener('pointerdown', (e) => {
    if (e.pointerType !== 'mouse') typing.focus({preventScroll: true});
  });

  // The game says what its focused box takes. For text (the name) the device's own keyboard
  // opens: the game hears a tap while the page handles it, so the focus given here is given
  // inside the tap's own handler, as a phone requires. Digits come from the pad.
  function takeTextEntry(entry) {
    textEntry = entry;
    const mode = entry === 2 ? 'text' : 'none';
    if (typing.inputMode === mode) return;
    typing.inputMode = mode;
    if (!pad.hidden && document.activeElement === typing) {
      // The device's keyboard follows the mode only when the field gets the focus anew.
      typing.blur();
      typing.focus({preventScroll: true});
    }
  }

  // A pad key gives the game what the same key of a keyboard gives; while a box of the page
  // is open, the box takes it as it takes a key.
  const padCodes = {Backspace: 8, Enter: 13};
  function padPress(key) {
    if (!$('report').hidden) return;
    if (state.boxOpen) {
      if (key === 'Enter') state.closeBox();
      return;
    }
    if (!gameTakesInput() || !Module._qz_web_pad_key) return;
    if (document.activeElement !== typing) typing.focus({preventScroll: true});
    Module._qz_web_pad_key(padCodes[key] || key.charCodeAt(0));
  }
  // A key counts when the finger lifts on it: one press, never repeated, none when the finger
  // slid off it, and none from a second finger while one is down.
  let held = null;
  pad.addEventListener('pointerdown', (e) => {
    e.preventDefault();  // the focus stays with the game's keyboard; no mouse events follow
    const button = e.target.closest('button');
    if (!button || held) return;
    held = {id: e.pointerId, button};
    button.classList.add('pressed');
  });
  function release(e, counts) {
    if (!held || e.pointerId !== held.id) return;
    const button = held.button;
    held = null;
    button.classList.remove('pressed');
    const r = button.getBoundingClientRect();
    if (counts && e.clientX >= r.left && e.clientX <= r.right && e.clientY >= r.top &&
        e.clientY <= r.bottom)
      padPress(button.dataset.key);
  }
  window.addEventListener('pointerup', (e) => release(e, true), true);
  window.addEventListener('pointercancel', (e) => release(e, false), true);
  // A key pressed without a pointer: by a screen reader, or by a keyboard on a focused key.
  pad.addEventListener('click', (e) => {
    const button = e.target.closest('button');
    if (button && e.detail === 0) padPress(button.dataset.key);
  });
  $('skip').addEventListener('click', (e) => {
    e.preventDefault();
    $('progress').focus();
  });

  // Characters the game's fonts lack (a name in a script they do not cover) are drawn as boxes;
  // the parents are told once, with every such character met so far.
  const missingGlyphs = [];
  function glyphMissing(codePoint) {
    const character = String.fromCodePoint(codePoint);
    if (missingGlyphs.includes(character)) return;
    missingGlyphs.push(character);
    const note = $('glyph-notice');
    note.textContent = 'The game cannot draw every character of the name (' +
        missingGlyphs.join(' ') + '): they show as boxes, and the name is kept as typed.';
    note.hidden = false;
  }

  function notice(text) {
    $('notice').textContent = text;
    $('notice').hidden = false;
  }

  function readLog() {
    try {
      return Module.FS.readFile('/data/qz.log');
    } catch (e) {
      return new Uint8Array(0);
    }
  }

  // While a match runs, the parents' buttons wait for its end: the report would cover the
  // game while its clock runs, and the log is not finished. They say so and do nothing.
  function readyAfterMatch() {
    if (!state.running || state.ended || !window.Module || !Module.qzMatchRunning) return false;
    $('after-match').hidden = false;
    return true;
  }

  $('download').addEventListener('click', () => {
    if (readyAfterMatch()) return;
    const url = URL.createObjectURL(new Blob([readLog()], {type: 'text/plain'}));
    const a = document.createElement('a');
    a.href = url;
    a.download = 'qz.log';
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  });

  // The report is made by the same code as quizendo-report, compiled for the page.
  let reportScript = null;
  function loadReportModule() {
    if (!reportScript) {
      reportScript = new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = 'quizendo-report.js';
        script.onload = () => resolve(window.QuizendoReport);
        script.onerror = () => {
          // The next click tries again: the file may be there by then.
          script.remove();
          reportScript = null;
          reject(new Error('cannot load quizendo-report.js'));
        };
        document.head.appendChild(script);
      });
    }
    return reportScript;
  }

  async function showReport() {
    const factory = await loadReportModule();
    const out = [];
    const report = await factory({print: (l) => out.push(l), printErr: (l) => out.push(l)});
    // The report's staged write (a temporary file, then a rename) fails with "Permission
    // denied" in this Emscripten's file system; the module's own memory file system needs no
    // permissions.
    report.FS.ignorePermissions = true;
    report.FS.mkdir('/report');
    report.FS.chdir('/report');
    report.FS.writeFile('qz.log', readLog());
    let html;
    try {
      report.callMain(['qz.log', '-o', 'report.html']);
      html = report.FS.readFile('report.html', {encoding: 'utf8'});
    } catch (e) {
      html = '<pre>' + out.join('\n').replace(/&/g, '&amp;').replace(/</g, '&lt;') + '</pre>';
    }
    $('report-frame').srcdoc = html;
    $('report').hidden = false;
    $('report-close').focus();
  }
  function closeReport() {
    $('report').hidden = true;
    $('report-frame').srcdoc = '';
    typing.focus();
  }
  $('progress').addEventListener('click', () => {
    if (readyAfterMatch()) return;
    showReport().catch((e) => notice('The progress report cannot be shown: ' + e.message));
  });
  $('report-close').addEventListener('click', closeReport);

  const bar = $('loading-bar');
  // The settings of one run of the game: each run is a fresh module.
  function gameModule(run, args) {
    return {
      canvas: canvas,
      thisProgram: './quizendo',
      arguments: args,
      print: remember,
      printErr: remember,
      qzRoomWidth: roomWidth,
      qzRoomHeight: roomHeight,
      qzCanvasReady: fitCanvas,
      qzUsedByTouch: () => !pad.hidden || window.matchMedia('(pointer: coarse)').matches,
      qzShowMessageBox: showBox,
      qzLeft: markRunClosed,
      qzGlyphMissing: glyphMissing,
      qzTextEntry: takeTextEntry,
      qzMatchRunningChanged: (running) => {
        if (!running) $('after-match').hidden = true;
      },
      qzStorageRefused: () => notice('This browser does not let Quizendo keep anything: you ' +
                                     'can play, but progress will not be kept when the page ' +
                                     'closes.'),
      qzStorageFailed: () => notice('The browser\'s storage did not take what Quizendo ' +
                                    'wrote (it may be full): progress may not be kept when ' +
                                    'the page closes.'),
      // Emscripten reports the download as "Downloading data... (done/total)".
      setStatus: (text) => {
        const m = /\((\d+(?:\.\d+)?)\/(\d+(?:\.\d+)?)\)/.exec(text || '');
        if (m) {
          bar.max = Number(m[2]);
          bar.value = Number(m[1]);
        }
      },
      onRuntimeInitialized: () => {
        state.running = true;
        typing.focus();
      },
      qzGameEnded: () => {
        run.end();
        if (afterRun) {
          // The page ended the run to start another: no "training is over" in between.
          canvas.hidden = true;
          $('loading').hidden = false;
          return;
        }
        $('loading').hidden = true;
        canvas.hidden = true;
        $('problem').hidden = true;
        $('over').hidden = false;
        $('again').focus();
      },
      onExit: (status) => {
        state.exitStatus = status;
        run.end();
        if (status !== 0) showProblem('Quizendo stopped. Reload the page to start again.');
      },
      onAbort: (what) => {
        run.end();
        showProblem('Quizendo stopped after an error: ' + what + '. Reload the page to start ' +
                    'again.');
      },
    };
  }
  // What the tests and the benchmark read.
  window.quizendoPage = state;

  // Closing the tab or leaving the page is leaving the game: the run is ended and saved as
  // the game's own leaving does. A tab merely hidden may come back, so then only what was
  // written so far is journalled.
  window.addEventListener('pagehide', () => {
    if (state.running && !state.ended && Module.qzLeaveNow) {
      if (state.closeBox) state.closeBox();
      Module.qzLeaveNow();  // marks the run closed once it has left
      return;
    }
    // A run that ended may still be copying to the storage.
    if (window.Module && Module.qzWriteJournal) Module.qzWriteJournal();
    markRunClosed();
  });
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden' && state.running && !state.ended &&
        Module.qzWriteJournal)
      Module.qzWriteJournal();
  });

  // The game's script defines QuizendoGame, which starts one run of the game.
  let gameScript = null;
  function loadGameScript() {
    if (!gameScript) {
      gameScript = new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = 'quizendo.js';
        script.onload = () => resolve(window.QuizendoGame);
        script.onerror = () => {
          script.remove();
          gameScript = null;
          reject(new Error('cannot load quizendo.js'));
        };
        document.body.appendChild(script);
      });
    }
    return gameScript;
  }

  // One run of the game with the command line `args`; `release` is called once it is over and
  // what it wrote is stored.
  function runGame(release, args) {
    let ended = false;
    const run = {
      end: () => {
        if (ended) return;
        ended = true;
        state.ended = true;
        const module = window.Module;
        const settled = module && module.qzStorageSettled ? module.qzStorageSettled() :
                                                            Promise.resolve();
        state.settled = settled.catch(() => {}).then(release).then(() => {
          const next = afterRun;
          afterRun = null;
          if (next) next();
        });
      },
    };
    state.running = false;
    state.ended = false;
    state.refused = false;
    $('problem').hidden = true;
    $('over').hidden = true;
    $('parents').hidden = false;
    $('loading').hidden = false;
    window.Module = gameModule(run, args || []);
    loadGameScript().then((factory) => {
      factory(window.Module);
    }, () => {
      run.end();
      showProblemWithoutGame('The game\'s files could not be loaded. Reload the page.');
    });
  }

  // A tab that closes journals what it wrote in localStorage and then gives up the lock, but
  // another tab may get the lock before it sees that journal: the browser does not order the
  // two. So the run that holds the lock says in localStorage that it is open, and says that
  // it is closed after its last journal; the next run waits to see that, and only a run that
  // never said it (a crashed tab) is waited for no longer than a few seconds.
  const runKey = 'quizendo-run';
  const closedRunWaitMs = 3000;
  let holdsRun = false;
  function markRunOpen() {
    holdsRun = true;
    try {
      localStorage.setItem(runKey, 'open');
    } catch (e) {
    }
  }
  function markRunClosed() {
    if (!holdsRun) return;
    holdsRun = false;
    try {
      localStorage.setItem(runKey, 'closed');
    } catch (e) {
    }
  }
  function afterLastRunClosed() {
    const deadline = Date.now() + closedRunWaitMs;
    return new Promise((resolve) => {
      const look = () => {
        let open = false;
        try {
          open = localStorage.getItem(runKey) === 'open';
        } catch (e) {
        }
        if (!open || Date.now() >= deadline) resolve();
        else setTimeout(look, 50);
      };
      look();
    });
  }

  // Two tabs of the game would write over each other's files in the browser's storage. A
  // run holds a lock while it lasts; another tab waits for it and then starts by itself.
  const lockName = 'quizendo-game';
  function startGame(args) {
    if (!(navigator.locks && navigator.locks.request)) {
      runGame(() => {}, args);
      return;
    }
    let granted = false;
    // The lock this tab's last run gave up is free a moment later: only a longer wait is told.
    const tell = setTimeout(() => {
      state.refused = true;
      showProblemWithoutGame('Quizendo is already open in another tab or window of this ' +
                             'browser. Only one plays at a time, so that neither loses the ' +
                             'other\'s results. It starts here by itself once the other one ' +
                             'is closed or its training is over.');
    }, 500);
    const run = () => {
      if (granted) return undefined;
      granted = true;
      clearTimeout(tell);
      return new Promise((release) => {
        afterLastRunClosed().then(() => {
          markRunOpen();
          runGame(() => {
            markRunClosed();
            release();
          }, args);
        });
      });
    };
    navigator.locks.request(lockName, run).catch(() => run());
  }

  // What follows the run that is ending, set when the page itself ends it.
  let afterRun = null;
  // Ends the game's run as leaving it does (a match is never running: the parents' buttons
  // wait for its end), then calls `next` once what it wrote is stored and the run is given
  // up. False when no run can be ended now (the game is still loading, or already being
  // ended).
  function endRunThen(next) {
    if (afterRun) return false;
    if (state.ended) {
      $('over').hidden = true;
      afterRun = () => {};
      Promise.resolve(state.settled).then(() => {
        afterRun = null;
        next();
      });
      return true;
    }
    if (!state.running || !window.Module || !Module._qz_web_terminate) return false;
    afterRun = next;
    if (state.closeBox) state.closeBox();
    $('over').hidden = true;
    Module._qz_web_terminate();
    if (Module.qzPendingWake) Module.qzPendingWake();
    return true;
  }

  // A run of the game's command line without a window (listing or removing cadets), under the
  // same lock as a run of the game: its standard output and error, and its exit status.
  // `input` is what it reads from its standard input.
  function runCommand(args, input) {
    return new Promise((resolve) => {
      const out = [];
      const take = (line) => {
        out.push(line);
        remember(line);
      };
      const body = () => new Promise((release) => {
        afterLastRunClosed().then(() => {
          markRunOpen();
          const bytes = new TextEncoder().encode(input || '');
          let read = 0;
          let finished = false;
          const module = {
            thisProgram: './quizendo',
            arguments: args,
            print: take,
            printErr: take,
            stdin: () => (read < bytes.length ? bytes[read++] : null),
            qzStorageRefused: () => {},
            qzStorageFailed: () => notice('The browser\'s storage did not take what Quizendo ' +
                                          'wrote (it may be full).'),
          };
          const finish = (status) => {
            if (finished) return;
            finished = true;
            const settled = module.qzStorageSettled ? module.qzStorageSettled() :
                                                      Promise.resolve();
            settled.catch(() => {}).then(() => {
              markRunClosed();
              release();
              resolve({status, out});
            });
          };
          module.onExit = finish;
          module.onAbort = () => finish(-1);
          loadGameScript().then((factory) => factory(module), () => finish(-1));
        });
      });
      if (navigator.locks && navigator.locks.request)
        navigator.locks.request(lockName, body).catch(body);
      else
        body();
    });
  }

  // The cadets' names as the game tells them apart (the birth date added where two share a
  // name): the game lists them when asked for a cadet no name can match (a line break).
  async function cadetLabels() {
    const {out} = await runCommand(['--cadet', '\n']);
    const at = out.indexOf('The cadets are:');
    if (at < 0) return [];
    return out.slice(at + 1).filter((l) => l.startsWith('  ')).map((l) => l.substring(2));
  }

  $('add-cadet').addEventListener('click', () => {
    if (readyAfterMatch() || !cadetsPanel.hidden) return;
    endRunThen(() => startGame(['--new-cadet']));
  });

  // Removing a cadet: the game is left, the parent picks the cadet and says yes once more; the
  // game renames the record as removed (it is never deleted) and starts again.
  const cadetsPanel = $('cadets');
  let removing = false;
  function closeCadetsPanel() {
    if (removing || cadetsPanel.hidden) return;
    cadetsPanel.hidden = true;
    startGame();
  }
  // The panel with one button a cadet: `labels` shown, `pick` called with the one clicked.
  function offerCadets(title, question, labels, pick) {
    $('cadets-title').textContent = title;
    $('cadets-list').textContent = '';
    $('cadets-remove').hidden = true;
    $('cadets-text').textContent = labels.length ? question : 'There are no cadets yet.';
    labels.forEach((label, index) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = label;
      button.addEventListener('click', () => pick(label, index));
      $('cadets-list').appendChild(button);
    });
    cadetsPanel.hidden = false;
    ($('cadets-list').firstChild || $('cadets-cancel')).focus();
  }
  function offerRemoval(labels) {
    offerCadets('Remove a cadet', 'Which cadet is to be removed?', labels, confirmRemoval);
  }
  function confirmRemoval(label) {
    $('cadets-list').textContent = '';
    $('cadets-text').textContent = 'Remove the cadet ' + label + '? The record is kept under ' +
        'a name marked as removed, and the sessions stay in the log.';
    const remove = $('cadets-remove');
    remove.hidden = false;
    remove.onclick = async () => {
      remove.hidden = true;
      $('cadets-text').textContent = 'Removing ' + label + '…';
      removing = true;
      const {status, out} = await runCommand(['--remove-cadet', label], 'y\n');
      removing = false;
      const said = out.join('\n');
      notice(status === 0 ? said.substring(said.indexOf('Removed ')) :
                            'The cadet was not removed: ' + said);
      closeCadetsPanel();
    };
    $('cadets-cancel').focus();
  }
  $('cadets-cancel').addEventListener('click', closeCadetsPanel);
  $('remove-cadet').addEventListener('click', () => {
    if (readyAfterMatch() || !cadetsPanel.hidden) return;
    endRunThen(() => cadetLabels().then(offerRemoval));
  });

  // A cadet's progress carried to another browser: the record and its sessions of the log in
  // one file (progress.js makes and checks it).
  const progress = window.QuizendoProgress;
  // Where the game keeps the cadets' records: its settings' folder in the browser's storage.
  const recordsFolder = '/data/config/Zorvex';
  const recordFilePattern = /^quizendo(?:\.cadet-([1-9][0-9]*))?\.ini$/;
  // The cadets' records as byte strings, by file name, in the game's order.
  function readRecords() {
    let names = [];
    try {
      names = Module.FS.readdir(recordsFolder).filter((n) => recordFilePattern.test(n));
    } catch (e) {
    }
    const number = (n) => Number(recordFilePattern.exec(n)[1] || 1);
    names.sort((a, b) => number(a) - number(b));
    const records = {};
    for (const name of names) {
      try {
        records[name] = progress.bytesToText(Module.FS.readFile(recordsFolder + '/' + name));
      } catch (e) {
      }
    }
    return records;
  }
  function cadetLabel(record) {
    const c = progress.recordCadet(record);
    const two = (n) => String(n).padStart(2, '0');
    return (progress.shown(c.name).trim() ? progress.shown(c.name) : 'Player') + ' (' +
        two(c.day) + '.' + two(c.month) + '.' + String(c.year).padStart(4, '0') + ')';
  }
  function download(name, blob) {
    const url = URL.createObjectURL(blob);
    const a = document.createElement('a');
    a.href = url;
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  $('save-progress').addEventListener('click', () => {
    if (readyAfterMatch() || !cadetsPanel.hidden) return;
    endRunThen(() => {
      const records = readRecords();
      const files = Object.keys(records);
      offerCadets('Save progress', 'Whose progress is to be saved?',
                  files.map((f) => cadetLabel(records[f])), (label, index) => {
                    const log = progress.bytesToText(readLog());
                    const name = progress.shown(progress.recordCadet(records[files[index]]).name)
                        .replace(/[^\p{L}\p{N}_-]+/gu, '-').replace(/^-+|-+$/g, '') || 'Player';
                    download('quizendo-progress-' + name + '.json',
                             new Blob([progress.make(records[files[index]], log)],
                                      {type: 'application/json'}));
                    closeCadetsPanel();
                  });
    });
  });

  $('load-progress').addEventListener('click', () => {
    if (readyAfterMatch() || !cadetsPanel.hidden) return;
    $('progress-file').value = '';
    $('progress-file').click();
  });
  $('progress-file').addEventListener('change', () => {
    const file = $('progress-file').files[0];
    if (file) loadProgress(file);
  });
  // A progress file brought in: checked whole before anything is changed; then the game is
  // left, the record written (the same cadet's, or a new cadet's) and the sessions the log
  // lacks appended to it, and the game started again.
  async function loadProgress(file) {
    const refuse = (why) => notice('The progress was not loaded: ' + why);
    if (file.size > progress.maxBytes) return refuse('the file is larger than 64 MB.');
    let bytes;
    try {
      bytes = new Uint8Array(await file.arrayBuffer());
    } catch (e) {
      return refuse('the file cannot be read (' + e.message + ').');
    }
    const checked = progress.read(bytes);
    if (checked.refused) return refuse(checked.refused);
    const started = endRunThen(() => {
      const log = progress.bytesToText(readLog());
      const records = readRecords();
      const merged = progress.merge(checked.progress, records, log);
      if (merged.refused) {
        refuse(merged.refused);
        startGame();
        return;
      }
      let target = merged.file;
      if (target === null) {
        const numbers = Object.keys(records).map((n) => Number(recordFilePattern.exec(n)[1] || 1));
        target = numbers.length ? 'quizendo.cadet-' + (Math.max(...numbers) + 1) + '.ini' :
                                  'quizendo.ini';
      }
      try {
        Module.FS.mkdirTree(recordsFolder);
        if (merged.append) {
          const stream = Module.FS.open('/data/qz.log', 'a');
          const added = progress.textToBytes(merged.append);
          Module.FS.write(stream, added, 0, added.length);
          Module.FS.close(stream);
        }
        Module.FS.writeFile(recordsFolder + '/' + target, progress.textToBytes(merged.record));
      } catch (e) {
        refuse('the browser\'s storage did not take it (' + e.message + ').');
        startGame();
        return;
      }
      Module.qzStorageSettled().then(() => {
        notice('The progress of ' + cadetLabel(merged.record) + ' was loaded' +
               (merged.file === null ? ' as a new cadet' : '') + ': ' + merged.added +
               ' session' + (merged.added === 1 ? '' : 's') + ' added.');
        startGame();
      });
    });
    if (!started) refuse('the game is still starting; try again in a moment.');
  }

  $('again').addEventListener('click', () => {
    $('again').disabled = true;
    Promise.resolve(state.settled).then(() => {
      $('again').disabled = false;
      startGame();
    });
  });

  // The browser may clear a site's storage when it needs room, unless the site's storage is
  // persistent; a browser grants that only after the page was used, so it is asked at the
  // first touch, click or key. Where it is refused, the parents are told how to keep a copy.
  function askToKeepStorage() {
    window.removeEventListener('pointerdown', askToKeepStorage, true);
    window.removeEventListener('keydown', askToKeepStorage, true);
    if (!(navigator.storage && navigator.storage.persist)) return;
    navigator.storage.persisted()
        .then((kept) => kept || navigator.storage.persist())
        .then((kept) => {
          state.storagePersistent = kept;
          $('may-clear').hidden = kept;
        }, () => {});
  }
  window.addEventListener('pointerdown', askToKeepStorage, true);
  window.addEventListener('keydown', askToKeepStorage, true);

  // Installed, the game starts without a network: a service worker keeps its files. Browsers
  // allow one only in a secure context (HTTPS, or this computer's own address); elsewhere the
  // game plays as before and the page does not say it plays offline.
  if (window.isSecureContext && navigator.serviceWorker) {
    navigator.serviceWorker.register('sw.js').then(() => navigator.serviceWorker.ready)
        .then(() => {
          state.offlineReady = true;
          $('offline').hidden = false;
        }, (e) => remember('The game cannot be kept for offline play: ' + e.message));
  }

  startGame();
})();
