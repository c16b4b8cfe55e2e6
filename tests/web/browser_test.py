#!/usr/bin/env python3
"""The browser build played in real headless Chromium, driven through the DevTools protocol.

Usage: browser_test.py BUILD_WEB_DIR [CASE...]
Each case starts from a fresh browser profile (empty storage) and the page served over HTTP
from BUILD_WEB_DIR. Screenshots go to BUILD_WEB_DIR/test-shots/.
"""

import functools
import http.server
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import traceback

import cdp
from white_match import ENTER_RECT, PROBLEM_LINE, answer_wrong_then_right, play_white_match

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
LOG = "/data/qz.log"
INI = "/data/config/Zorvex/quizendo.ini"
WHITE_BELT = "[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\n"
# The play area of the main window, logical pixels.
PLAY_RECT = (16, 80, 608, 200)
# Centres of controls, logical pixels.
SETUP = (73, 368)
NAME_BOX = (522, 128)
YELLOW_BELT = (265, 257)
SUBTRACTION = (132, 128)
WHITE_BELT_BUTTON = (245, 257)
EXIT = (566, 368)
# The About box's OK mark (the box lies centred over the main window).
ABOUT_OK = (530, 290)
# Near the right end of the boxes, so that the caret goes after their text.
NAME_BOX_END = (604, 128)
DAY_BOX_END = (463, 160)
MONTH_BOX_END = (511, 160)
YEAR_BOX_END = (604, 160)
# Black play area where no control lies: a touch there only cuts a pause short.
NEUTRAL = (200, 275)
# Devices by touch: CSS width and height, device pixel ratio.
IPAD_LANDSCAPE = (1024, 768, 2)
PHONE_PORTRAIT = (390, 844, 3)
# Counts the real key presses the page gets; a touch-only case expects none.
COUNT_KEYS = """
window.qzKeyEvents = 0;
for (const type of ['keydown', 'keyup', 'keypress'])
  window.addEventListener(type, (e) => { if (e.isTrusted) window.qzKeyEvents++; }, true);
"""


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Game:
    """The page in one browser, with helpers that read the game's files and canvas."""

    def __init__(self, url, shots, browser_args=(), before_load=None, mute=True, device=None):
        self.url = url
        self.shots = shots
        self.browser = cdp.Browser(extra_args=browser_args, mute=mute)
        self.browser.open_page()
        if device:
            self.browser.emulate_device(*device)
        if before_load:
            self.browser.send("Page.addScriptToEvaluateOnNewDocument", {"source": before_load})
        self.load()

    def load(self):
        self.browser.navigate(self.url)
        self.browser.wait_for("window.quizendoPage && quizendoPage.running", 60, "the game to run")
        self.browser.wait_for("!document.getElementById('canvas').hidden", 30, "the canvas")

    def reload(self):
        self.browser.evaluate("Module.qzStorageSettled()")
        self.load()

    def js(self, expression, timeout=30):
        return self.browser.evaluate(expression, timeout)

    def scale(self):
        return self.js("document.getElementById('canvas').width / 640")

    def file(self, path):
        return self.js(f"(() => {{ try {{ return Module.FS.readFile('{path}', "
                       f"{{encoding: 'utf8'}}); }} catch (e) {{ return null; }} }})()")

    def log_lines(self):
        """The lines of the log's last megabyte (a log may be big)."""
        return (self.js(f"""(() => {{
            try {{ const b = Module.FS.readFile('{LOG}');
                   return new TextDecoder().decode(b.subarray(Math.max(0, b.length - 1e6))); }}
            catch (e) {{ return ''; }} }})()""") or "").replace("\r", "").split("\n")

    def count(self, pattern):
        """How many lines of the log match `pattern` (counted in the page: a log may be big)."""
        return self.js(f"""(() => {{
            let stat;
            try {{ stat = Module.FS.stat('{LOG}'); }} catch (e) {{ return 0; }}
            // Read again only when the file changed: the test must not starve the game.
            const key = stat.size + ' ' + stat.mtime.getTime(), seen = window.qzTestLog;
            const lines = seen && seen.key === key ? seen.lines :
                Module.FS.readFile('{LOG}', {{encoding: 'utf8'}}).replace(/\\r/g, '').split('\\n');
            window.qzTestLog = {{key, lines}};
            const re = new RegExp({json.dumps(pattern)});
            return lines.filter((l) => re.test(l)).length;
        }})()""")

    def origin(self):
        return self.url.split("/index.html")[0]

    def box_text(self):
        """The text of the page's message box, or None when none is open."""
        return self.js("document.getElementById('box').hidden ? null : "
                       "document.getElementById('box-text').textContent")

    def notice(self):
        return self.js("document.getElementById('notice').hidden ? '' : "
                       "document.getElementById('notice').textContent")

    def focused(self):
        return self.js("document.activeElement && document.activeElement.id")

    def press_focused(self):
        """Return on whatever has the focus, as a keyboard sends it (it clicks a button)."""
        self.browser.key("Enter", "Enter", 13, "\r")

    def wait(self, seconds, what, predicate):
        deadline = time.monotonic() + seconds
        while not predicate():
            if time.monotonic() > deadline:
                self.shot("timed-out-" + re.sub(r"[^a-z0-9]+", "-", what.lower()))
                self.dump()
                raise Failure(f"timed out after {seconds} s: {what}")
            time.sleep(0.1)

    def area(self, rect):
        """A fingerprint of the canvas pixels inside a logical rectangle."""
        x, y, w, h = rect
        return self.js(f"""(() => {{
            const c = document.getElementById('canvas'), s = c.width / 640;
            const d = c.getContext('2d').getImageData({x} * s, {y} * s, {w} * s, {h} * s).data;
            let h = 2166136261;
            for (let i = 0; i < d.length; i++) h = Math.imul(h ^ d[i], 16777619);
            return h >>> 0;
        }})()""")

    def lit(self):
        """How many canvas pixels are not black."""
        return self.js("""(() => {
            const c = document.getElementById('canvas');
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let n = 0;
            for (let i = 0; i < d.length; i += 4) if (d[i] | d[i + 1] | d[i + 2]) n++;
            return n;
        })()""")

    def click(self, point):
        x, y = point
        left, top, s = self.js("""(() => {
            const c = document.getElementById('canvas'), r = c.getBoundingClientRect();
            return [r.left, r.top, r.width / 640];
        })()""")
        self.browser.click(left + (x + 0.5) * s, top + (y + 0.5) * s)
        time.sleep(0.2)

    def tap(self, point):
        """A finger on the canvas at a logical point, lifted at once."""
        x, y = point
        left, top, s = self.js("""(() => {
            const c = document.getElementById('canvas'), r = c.getBoundingClientRect();
            return [r.left, r.top, r.width / 640];
        })()""")
        self.browser.tap(left + (x + 0.5) * s, top + (y + 0.5) * s)
        time.sleep(0.2)

    def rect(self, selector):
        """An element's rectangle in CSS pixels: [left, top, right, bottom]."""
        return self.js(f"""(() => {{ const r = document.querySelector({json.dumps(selector)})
            .getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; }})()""")

    def pad(self, label):
        """A tap on the number pad's key named `label`."""
        left, top, right, bottom = self.rect(f'#pad [aria-label="{label}"]')
        self.browser.tap((left + right) / 2, (top + bottom) / 2)

    def pad_shown(self):
        return self.js("!document.getElementById('pad').hidden")

    def key(self, name):
        codes = {"Escape": 27, "Enter": 13, "Tab": 9, "F1": 112, "Backspace": 8, "Shift": 16}
        self.browser.key(name, name if name != "Shift" else "ShiftLeft", codes[name])

    def type_text(self, text):
        self.browser.type_text(text)

    def dump(self):
        """What the page logged and threw, for a failure's report."""
        for line in self.js("quizendoPage.log") or []:
            print("page:", line)
        for e in self.browser.events("Runtime.exceptionThrown"):
            details = e["exceptionDetails"]
            print("page threw:", details.get("exception", {}).get("description") or details)

    def shot(self, name):
        os.makedirs(self.shots, exist_ok=True)
        self.browser.screenshot(os.path.join(self.shots, name + ".png"))

    def about_box_shown(self):
        self.wait(20, "the About box is drawn", lambda: self.lit() > 1000)

    def to_idle(self, close_about=None):
        """Closes the About box (with Escape unless told how) and waits out the title
        picture."""
        self.about_box_shown()
        if close_about:
            close_about()
        else:
            self.key("Escape")
        self.wait(15, "the session header", lambda: self.count(r", age [0-9]+ years") >= 1)
        time.sleep(0.5)
        title = self.area(PLAY_RECT)
        self.wait(15, "the title picture goes", lambda: self.area(PLAY_RECT) != title)
        time.sleep(1.5)
        return self.area(ENTER_RECT)

    def leave(self):
        self.key("Escape")
        self.wait(15, "the game ends", lambda: self.js("quizendoPage.ended"))
        self.js("Module.qzStorageSettled()")

    def store_settings(self, text):
        """Leaves the game, puts `text` in its settings file and starts it again."""
        self.to_idle()
        self.leave()
        self.js("Module.FS.mkdirTree('/data/config/Zorvex'); "
                f"Module.FS.writeFile('{INI}', {text!r})")
        self.reload()

    def stored_value_count(self):
        return len(re.findall(r"^[A-Za-z]+=", (self.file(INI) or "").replace("\r", ""), re.M))

    def ini_value(self, name):
        match = re.search(rf"^{name}=(.*)$", (self.file(INI) or "").replace("\r", ""), re.M)
        return match.group(1) if match else None

    def close(self):
        self.browser.close()


def case_about_box_match_and_reload(url, shots):
    game = Game(url, shots)
    try:
        game.about_box_shown()
        game.shot("about-box")
        # A White-belt match chosen by hand: written as the player's stored settings, kept
        # over a reload.
        game.store_settings(WHITE_BELT)
        enter_idle = game.to_idle()
        game.shot("idle")
        play_white_match(game, enter_idle, lambda: game.shot("match"))
        game.leave()
        game.shot("left")
        # Everything written is in the browser's storage: the next visit finds it.
        game.load()
        check_white_match_kept(game)
    finally:
        game.close()


def check_white_match_kept(game):
    """The log and settings of one White-belt match, each problem answered wrong, then right."""
    check(game.count(PROBLEM_LINE) == 20,
          f"{game.count(PROBLEM_LINE)} problem lines, not 20")
    check(game.count(r"=99 \([0-9]+\)\t\t") == 10, "not 10 wrong-answer lines")
    check(game.count("\tOK\t") == 10, "not 10 right-answer lines")
    check(game.count(r"\t[0-4] \+ [0-4] =") == 20, "not White-belt problems")
    check(game.count("^SUMMARY$") == 1, "no summary")
    check(game.count("^Right Answers\t\t: 10$") == 1, "summary row Right Answers")
    check(game.stored_value_count() == 26,
          f"the settings file holds {game.stored_value_count()} values, not 26")
    check(int(game.ini_value("OldHiScore") or 0) > 0, "OldHiScore was not raised")
    check(game.ini_value("GameLevel") == "1", "GameLevel changed")


class TouchPlayer:
    """Plays a match by the pad and taps on the game only, as white_match's driver."""

    def __init__(self, game):
        self.game = game

    def key(self, name):
        if name == "Enter":
            self.game.pad("enter")
        elif name == "Shift":
            self.game.tap(NEUTRAL)  # a touch cuts a pause short, as a key does
        else:
            raise Failure(f"no touch for the key {name}")

    def type_text(self, text):
        for ch in text:
            self.game.pad("minus" if ch == "-" else ch)

    def __getattr__(self, name):
        return getattr(self.game, name)


def check_pad_layout(game, beside):
    """The pad's keys are large and apart; the pad, the game and the parents' panel do not
    overlap and lie inside the page; the pad stands beside the game, or below it."""
    keys = game.js("""[...document.querySelectorAll('#pad button')].map((b) => {
        const r = b.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom]; })""")
    check(len(keys) == 14, f"{len(keys)} pad keys")
    for left, top, right, bottom in keys:
        check(right - left >= 48 and bottom - top >= 48, f"a key of {right - left} x {bottom - top}")
    for i, a in enumerate(keys):
        for b in keys[i + 1:]:
            check(a[2] <= b[0] or b[2] <= a[0] or a[3] <= b[1] or b[3] <= a[1], "keys overlap")
    page = game.js("[innerWidth, innerHeight]")
    rects = {name: game.rect(sel) for name, sel in
             (("canvas", "#canvas"), ("pad", "#pad"), ("parents", "#parents"))}
    names = list(rects)
    for i, a in enumerate(names):
        r = rects[a]
        check(r[0] >= -0.5 and r[1] >= -0.5 and r[2] <= page[0] + 0.5 and r[3] <= page[1] + 0.5,
              f"the {a} is not whole in the page: {r} in {page}")
        for b in names[i + 1:]:
            q = rects[b]
            check(r[2] <= q[0] + 0.5 or q[2] <= r[0] + 0.5 or r[3] <= q[1] + 0.5 or
                  q[3] <= r[1] + 0.5, f"the {a} {r} and the {b} {q} overlap")
    canvas, pad = rects["canvas"], rects["pad"]
    if beside:
        check(pad[0] >= canvas[2] - 0.5, f"the pad {pad} is not beside the game {canvas}")
    else:
        check(pad[1] >= canvas[3] - 0.5, f"the pad {pad} is not below the game {canvas}")
    return rects


def case_white_match_by_touch(url, shots):
    """A tablet without keys: a whole White-belt match by taps on the game and the pad, the
    name through the device's keyboard (its text field's input), not one key event."""
    game = Game(url, shots, device=IPAD_LANDSCAPE, before_load=COUNT_KEYS)
    try:
        check(not game.pad_shown(), "the pad shows before any touch")
        game.to_idle(close_about=lambda: game.tap(ABOUT_OK))
        check(game.pad_shown(), "no pad after a touch")
        check_pad_layout(game, beside=True)
        game.shot("touch-idle-landscape")
        # One tap is one click: SETUP opens the panel and it stays open.
        idle = game.area(PLAY_RECT)
        game.tap(SETUP)
        game.wait(5, "a tap on SETUP opens the panel", lambda: game.area(PLAY_RECT) != idle)
        time.sleep(1)
        check(game.area(PLAY_RECT) != idle, "one tap on SETUP opened and closed the panel")
        # The device's keyboard is asked for while the tap on the name box is handled.
        game.js("""window.qzModeInTap = [];
            window.addEventListener('touchstart', () => window.qzModeInTap.push(
                document.getElementById('typing').inputMode));""")
        game.tap(NAME_BOX_END)
        check(game.js("qzModeInTap") == ["text"], f"the mode in the tap: {game.js('qzModeInTap')}")
        check(game.focused() == "typing", f"the focus is on {game.focused()!r}")
        for _ in range(8):
            game.pad("delete")
        game.browser.insert_text("Mira")
        for box, digits, old in ((DAY_BOX_END, "5", 2), (MONTH_BOX_END, "3", 2),
                                 (YEAR_BOX_END, "2019", 4)):
            game.tap(box)
            check(game.js("document.getElementById('typing').inputMode") == "none",
                  "the device's keyboard is asked for a date box")
            for _ in range(old):
                game.pad("delete")
            TouchPlayer(game).type_text(digits)
        game.tap(WHITE_BELT_BUTTON)
        time.sleep(0.5)
        game.shot("touch-setup-landscape")
        panel = game.area(PLAY_RECT)
        game.tap(SETUP)
        game.wait(5, "a tap on SETUP closes the panel", lambda: game.area(PLAY_RECT) != panel)
        time.sleep(1)
        enter_idle = game.area(ENTER_RECT)
        play_white_match(TouchPlayer(game), enter_idle, lambda: game.shot("touch-match"))
        check(game.js("qzKeyEvents") == 0, f"{game.js('qzKeyEvents')} key events")
        game.tap(EXIT)
        game.wait(15, "EXIT ends the game", lambda: game.js("quizendoPage.ended"))
        game.js("Module.qzStorageSettled()")
        game.load()
        check_white_match_kept(game)
        for name, value in (("CadetName", "Mira"), ("BDateDay", "5"), ("BDateMonth", "3"),
                            ("BDateYear", "2019"), ("AutoSelect", "0")):
            check(game.ini_value(name) == value, f"{name} is {game.ini_value(name)!r}")
    finally:
        game.close()


def case_phone_held_upright(url, shots):
    """A phone held upright: the parents' bar above, the game the page's width, the pad below
    it; a real key hides the pad, the next touch brings it back; turned sideways, the pad
    stands beside the game."""
    game = Game(url, shots, device=PHONE_PORTRAIT)
    try:
        game.to_idle(close_about=lambda: game.tap(ABOUT_OK))
        check(game.pad_shown(), "no pad after a touch")
        game.wait(5, "the game drawn at the page's width", lambda: game.rect("#canvas")[2] -
                  game.rect("#canvas")[0] >= 0.9 * 390)
        rects = check_pad_layout(game, beside=False)
        check(rects["parents"][3] <= rects["canvas"][1] + 0.5, "the parents' bar is not above")
        game.shot("touch-idle-portrait")
        # The parents' buttons are there to tap.
        for button in ("#progress", "#download"):
            left, top, right, bottom = game.rect(button)
            check(game.js(f"document.elementFromPoint({(left + right) / 2}, {(top + bottom) / 2})"
                          f" === document.querySelector('{button}')"),
                  f"{button} cannot be reached")
        # A key counts once when its finger lifts on it: held long, it does not repeat; slid
        # off, it gives nothing; a second finger down meanwhile gives nothing either.
        # (The first call of the game's function puts the function itself in its place: a
        # call with no key first, so that what records the keys stays in place.)
        game.js("Module._qz_web_pad_key(0); window.qzPadKeys = []; Module._qz_web_pad_key ="
                " ((give) => (key) => { qzPadKeys.push(key); give(key); })"
                "(Module._qz_web_pad_key)")

        def centre(label):
            left, top, right, bottom = game.rect(f'#pad [aria-label="{label}"]')
            return (left + right) / 2, (top + bottom) / 2
        seven, eight = centre("7"), centre("8")
        game.browser.touch([seven], "touchStart")
        time.sleep(1.5)
        game.browser.touch([], "touchEnd")
        game.browser.touch([seven], "touchStart")
        game.browser.touch([eight], "touchMove")
        game.browser.touch([], "touchEnd")
        game.browser.touch([seven], "touchStart")
        game.browser.touch([seven, eight], "touchStart")
        game.browser.touch([seven], "touchEnd")
        game.browser.touch([], "touchEnd")
        time.sleep(0.5)  # a touch is answered before the page has handled it
        check(game.js("qzPadKeys") == [55, 55], f"the pad gave {game.js('qzPadKeys')}")
        game.key("Shift")
        check(not game.pad_shown(), "a key press left the pad")
        game.tap(NEUTRAL)
        check(game.pad_shown(), "a touch did not bring the pad back")
        game.browser.emulate_device(844, 390, 3)
        game.wait(5, "the pad beside the game", lambda: game.rect("#pad")[0] >=
                  game.rect("#canvas")[2] - 0.5)
        check_pad_layout(game, beside=True)
        game.shot("touch-idle-phone-landscape")
        # Upright again, one answer and the match given up: the report fits the phone's width.
        game.browser.emulate_device(*PHONE_PORTRAIT)
        game.wait(5, "the pad below the game", lambda: game.rect("#pad")[1] >=
                  game.rect("#canvas")[3] - 0.5)
        player = TouchPlayer(game)
        player.key("Enter")
        time.sleep(1)
        player.key("Shift")
        player.type_text("1")
        player.key("Enter")
        game.wait(15, "an answer is logged", lambda: game.count(PROBLEM_LINE) >= 1)
        deadline = time.monotonic() + 30
        while game.js("Module.qzMatchRunning"):
            check(time.monotonic() < deadline, "the match was not given up")
            game.tap(EXIT)  # cuts the pause, or asks the quit question
            time.sleep(1)
            player.key("Enter")
            time.sleep(1)
        left, top, right, bottom = game.rect("#progress")
        game.browser.tap((left + right) / 2, (top + bottom) / 2)
        game.browser.wait_for("!document.getElementById('report').hidden", 30, "the report")
        game.wait(10, "the report drawn", lambda: game.js(
            "(() => { const d = document.getElementById('report-frame').contentDocument;"
            " return d && d.querySelector('svg') !== null; })()"))
        widths = game.js("(() => { const d = document.getElementById('report-frame')"
                         ".contentDocument.documentElement; return [d.scrollWidth, d.clientWidth,"
                         " innerWidth]; })()")
        game.shot("report-portrait")
        check(widths[0] <= widths[1] <= widths[2], f"the report is {widths[0]} pixels wide in a "
              f"frame of {widths[1]} in a page of {widths[2]}")
    finally:
        game.close()


def case_pad_in_a_box_a_pause_and_a_turn(url, shots):
    """The pad is a keyboard at the odd moments too: a box open over the game takes its ENTER
    and the game hears nothing; keys pressed straight after a wrong answer, in its feedback
    pause, give the same answer by the pad as by the keyboard; a tablet turned upright in a
    match moves the pad below the game, and the match goes on with its clock."""
    game = Game(url, shots, device=IPAD_LANDSCAPE)
    try:
        game.store_settings(WHITE_BELT)
        game.to_idle(close_about=lambda: game.tap(ABOUT_OK))
        check(game.pad_shown(), "no pad after a touch")
        game.js("Module._qz_web_pad_key(0); window.qzPadKeys = []; Module._qz_web_pad_key ="
                " ((give) => (key) => { qzPadKeys.push(key); give(key); })"
                "(Module._qz_web_pad_key)")
        game.js("void Module.qzShowMessageBox('Quizendo', 'A box over the game.', 0)")
        game.wait(5, "the box open", lambda: game.js("quizendoPage.boxOpen"))
        game.pad("enter")
        game.wait(5, "the pad's ENTER closes the box", lambda: not game.js("quizendoPage.boxOpen"))
        check(game.js("qzPadKeys") == [], f"the game heard {game.js('qzPadKeys')} under the box")

        player = TouchPlayer(game)
        player.key("Enter")
        time.sleep(1)

        def answer_in_the_pause(typist):
            """A wrong answer, then at once (in the feedback pause) -99 and ENTER; returns
            what the log says was answered the second time."""
            before = game.count(PROBLEM_LINE)
            player.type_text("99")
            player.key("Enter")
            game.wait(15, "the wrong answer is logged", lambda: game.count(PROBLEM_LINE) > before)
            typist()
            game.wait(15, "the answer typed in the pause is logged",
                      lambda: game.count(PROBLEM_LINE) > before + 1)
            last = [line for line in game.log_lines() if re.search(PROBLEM_LINE, line)][-1]
            return re.search(r"=(\S+)", last).group(1)

        def by_pad():
            player.type_text("-99")
            player.key("Enter")

        def by_keys():
            game.type_text("-99")
            game.key("Enter")
            game.tap(NEUTRAL)  # the pad back for the next answer; a touch cuts a pause short

        by_pad_answer = answer_in_the_pause(by_pad)
        by_keys_answer = answer_in_the_pause(by_keys)
        check(by_pad_answer == by_keys_answer,
              f"in the pause the pad gave {by_pad_answer!r}, the keyboard {by_keys_answer!r}")

        # Turned upright while a problem waits: its 10-second clock goes on from where it was,
        # so the time-out comes about 10 s after the problem was posed, not 10 s after the turn.
        game.tap(NEUTRAL)  # cuts the feedback pause short: the problem is posed again
        posed = time.time()
        time.sleep(4)
        game.browser.emulate_device(768, 1024, 2)
        game.wait(5, "the pad below the game", lambda: game.rect("#pad")[1] >=
                  game.rect("#canvas")[3] - 0.5)
        check_pad_layout(game, beside=False)
        check(game.js("Module.qzMatchRunning"), "turning the tablet ended the match")
        game.shot("touch-match-turned-upright")
        game.wait(20, "the time-out is logged", lambda: game.count("T/O") >= 1)
        line = [line for line in game.log_lines() if "T/O" in line][-1]
        logged = time.mktime(time.strptime(line.split("\t")[0][4:], "%y-%m-%d %H:%M:%S"))
        check(logged - posed < 12.5, f"the time-out came {logged - posed:.0f} s after the "
              f"problem was posed, {logged - posed - 4:.0f} s after the turn: {line!r}")
    finally:
        game.close()


# A log of earlier visits, big enough that a copy of it would not fit in localStorage.
FILLER_LINE = "Kept from earlier visits: one line of an old record, long enough to fill.\r\n"
FILLER_LINES = 20 * 1024 * 1024 // len(FILLER_LINE) + 1


def closed_tab_counts_as_leaving(url, shots, earlier_log):
    """Closing the tab in a match leaves the game as the desktop's terminate order does: the
    visit's summary and settings are there when the page is opened again."""
    game = Game(url, shots)
    try:
        if earlier_log:
            game.about_box_shown()
            game.js(f"Module.FS.writeFile('{LOG}', {FILLER_LINE!r}.repeat({FILLER_LINES}))")
            game.js("Module.qzStorageSettled()", timeout=120)
        game.store_settings(WHITE_BELT)
        game.to_idle()
        # One problem answered wrong, then right; the next one is posed when the tab closes.
        game.key("Enter")
        time.sleep(1)
        answer_wrong_then_right(game, 1)
        game.key("Shift")
        time.sleep(1)
        game.shot("before-tab-closed")
        game.browser.close_page()
        game.browser.open_page()
        game.load()
        check(game.count(PROBLEM_LINE) == 2, f"{game.count(PROBLEM_LINE)} problem lines, not 2")
        check(game.count("^SUMMARY$") == 1, f"{game.count('^SUMMARY$')} summaries, not 1")
        for row in ("Right Answers\t\t: 1", "Wrong Answers\t\t: 1", "Tasks Completed\t\t: 1",
                    "Total Tasks\t\t: 2"):
            check(game.count(f"^{row}$") == 1, f"summary row {row!r} missing")
        check(game.stored_value_count() == 26,
              f"the settings file holds {game.stored_value_count()} values, not 26")
        # The match in progress counts as ended.
        check(game.ini_value("CntRight") == "1", f"CntRight is {game.ini_value('CntRight')}")
        check(game.ini_value("GameLevel") == "1", f"GameLevel is {game.ini_value('GameLevel')}")
        if earlier_log:
            kept = game.count("^Kept from earlier visits")
            check(kept == FILLER_LINES, f"{kept} lines of the earlier log, not {FILLER_LINES}")
        # The journal is gone once its files are in the storage.
        game.js("Module.qzStorageSettled()", timeout=120)
        check(game.js("localStorage.getItem('quizendo-journal')") is None, "the journal was kept")
    finally:
        game.close()


def type_name_in_setup(game, name):
    """Opens the setup panel from the idle screen and types `name` over the name box's text."""
    idle = game.area(PLAY_RECT)
    game.click(SETUP)
    game.wait(5, "SETUP opens the panel", lambda: game.area(PLAY_RECT) != idle)
    time.sleep(0.3)
    game.click(NAME_BOX)
    game.browser.key_with_ctrl("a", "KeyA", 65)  # select all
    game.browser.type_text(name)


def case_closed_tab_counts_as_leaving(url, shots):
    closed_tab_counts_as_leaving(url, shots, earlier_log=False)


def case_closed_tab_with_a_20_mb_log(url, shots):
    """Only what was written since the last finished copy is journalled, not the whole log."""
    closed_tab_counts_as_leaving(url, shots, earlier_log=True)


def case_storage_full_plays_on(url, shots):
    """With the browser's storage full, a write fails as on a full disk: the game says so,
    the page says progress may not be kept, and the game plays on and can be left."""
    game = Game(url, shots)
    try:
        game.about_box_shown()
        game.browser.send("Storage.overrideQuotaForOrigin",
                          {"origin": game.origin(), "quotaSize": 2000})
        # The session header is written once the About box is closed.
        game.key("Escape")
        game.wait(30, "the game says the log could not be written",
                  lambda: game.box_text() is not None)
        said = [game.box_text()]
        check("Disk full while accessing /data/qz.log." in said[0], f"the box says {said[0]!r}")
        check("may not be kept" in game.notice(), f"the page's notice: {game.notice()!r}")
        game.shot("storage-full")
        game.key("Enter")
        game.wait(5, "the box closes", lambda: game.box_text() is None)
        title = game.area(PLAY_RECT)
        game.wait(15, "the title picture goes", lambda: game.area(PLAY_RECT) != title)
        time.sleep(1.5)
        # Leaving writes the settings, which fail as well; the game still ends.
        game.key("Escape")
        deadline = time.monotonic() + 60
        while not game.js("quizendoPage.ended"):
            check(time.monotonic() < deadline, "the game did not end: " + repr(said))
            text = game.box_text()
            if text is not None:
                said.append(text)
                game.key("Enter")
            time.sleep(0.2)
        check(any("could not be saved" in text for text in said), f"the boxes said {said!r}")
    finally:
        game.close()


def case_storage_cleared_under_a_running_game(url, shots):
    """The site's data cleared in a match: the game opens the storage anew at its next write
    and puts there everything it holds, so the visit is kept with what came before it."""
    game = Game(url, shots)
    try:
        game.store_settings(WHITE_BELT)
        enter_idle = game.to_idle()
        before = game.count(PROBLEM_LINE)

        def clear():
            game.browser.send("Storage.clearDataForOrigin",
                              {"origin": game.origin(), "storageTypes": "indexeddb,local_storage"})
            time.sleep(0.5)

        play_white_match(game, enter_idle, clear)
        game.leave()
        check(game.notice() == "", f"the page's notice: {game.notice()!r}")
        held = game.file(LOG)
        game.load()
        check(game.file(LOG) == held, "the log kept is not the log the game wrote")
        check(game.count(PROBLEM_LINE) == before + 20,
              f"{game.count(PROBLEM_LINE)} problem lines, not {before + 20}")
        check(game.count("^SUMMARY$") == 1, f"{game.count('^SUMMARY$')} summaries, not 1")
        check(game.stored_value_count() == 26,
              f"the settings file holds {game.stored_value_count()} values, not 26")
        check(game.ini_value("GameLevel") == "1", "the settings stored before were lost")
    finally:
        game.close()


def case_name_keeps_every_character(url, shots):
    """A character outside the Basic Multilingual Plane, an input method's committed text and
    a paste enter the name box as typed text does on the desktop; the paste's TAB becomes a
    blank and it ends at its line's end, as the desktop's paste does."""
    game = Game(url, shots)
    try:
        game.to_idle()
        type_name_in_setup(game, "Mo\U0001F600x")
        game.browser.insert_text("\u674e")
        game.browser.paste("\tAnn\nZed", game.origin())
        time.sleep(0.5)
        game.shot("name-box")
        game.click(SETUP)
        time.sleep(1)
        game.leave()
        name = game.ini_value("CadetName")
        check(name == "Mo\U0001F600x\u674e Ann", f"CadetName is {name!r}")
    finally:
        game.close()


def case_game_starts_again_after_leaving(url, shots):
    """After the game is left the page offers to start it again, without loading the page."""
    game = Game(url, shots)
    try:
        game.to_idle()
        game.js("window.sameDocument = true")
        game.leave()
        game.browser.wait_for("!document.getElementById('over').hidden", 10, "the page's message")
        check(game.focused() == "again", f"the focus is on {game.focused()!r}")
        game.shot("training-over")
        game.press_focused()
        game.browser.wait_for("quizendoPage.running && !quizendoPage.ended", 60,
                              "the game to run again")
        check(game.js("window.sameDocument === true"), "the page was loaded again")
        game.to_idle()
        check(game.count(r", age [0-9]+ years") == 2,
              f"{game.count(r', age [0-9]+ years')} session headers, not 2")
        game.leave()
    finally:
        game.close()


def case_parents_buttons_by_keyboard(url, shots):
    """The game keeps its keys while it has the focus; with the focus out of it (the browser's
    own way, or the skip link), Tab and Return reach the parents' buttons and not the game."""
    game = Game(url, shots)
    try:
        enter_idle = game.to_idle()
        game.js("document.activeElement.blur()")
        for _ in range(4):
            if game.focused() == "progress":
                break
            game.key("Tab")
        check(game.focused() == "progress", f"Tab went to {game.focused()!r}")
        check(game.js("(() => { const b = document.getElementById('progress');"
                      " return b.matches(':focus-visible') &&"
                      " getComputedStyle(b).outlineStyle !== 'none'; })()"),
              "the focus on Progress is not shown")
        game.shot("parents-focus")
        game.press_focused()
        game.browser.wait_for("!document.getElementById('report').hidden", 30, "the report")
        game.key("Escape")
        check(game.js("document.getElementById('report').hidden"), "Escape left the report open")
        time.sleep(1)
        check(game.area(ENTER_RECT) == enter_idle and game.count(PROBLEM_LINE) == 0,
              "the parent's keys reached the game")
        check(game.focused() == "typing", f"the game lost the focus to {game.focused()!r}")
        # The skip link, first in the page, leads there as well.
        game.js("document.getElementById('skip').focus()")
        game.shot("skip-link")
        game.press_focused()
        check(game.focused() == "progress", f"the skip link went to {game.focused()!r}")
    finally:
        game.close()


def case_setup_panel_by_clicks(url, shots):
    game = Game(url, shots)
    try:
        game.to_idle()
        type_name_in_setup(game, "Mira")
        game.click(YELLOW_BELT)
        game.click(SUBTRACTION)
        game.shot("setup-panel")
        game.click(SETUP)
        time.sleep(1)
        game.leave()
        check(game.ini_value("CadetName") == "Mira", f"CadetName is {game.ini_value('CadetName')!r}")
        check(game.ini_value("GameLevel") == "2", f"GameLevel is {game.ini_value('GameLevel')}")
        check(game.ini_value("AutoSelect") == "0", "AutoSelect is not 0")
        check(game.ini_value("DoAdd") == "1" and game.ini_value("DoSub") == "0",
              "operation switches")
    finally:
        game.close()


def case_name_the_fonts_cannot_draw(url, shots):
    """The browser's fonts lack Chinese: a name holding it is kept, drawn with boxes, and the
    parents' panel says which characters those are."""
    game = Game(url, shots)
    try:
        game.to_idle()
        told = "document.getElementById('glyph-notice').hidden ? '' : " \
               "document.getElementById('glyph-notice').textContent"
        check(game.js(told) == "", "the notice shows before any such name")
        type_name_in_setup(game, "Li\u674e")
        game.wait(5, "the parents' panel names the character", lambda: "\u674e" in game.js(told))
        game.shot("name-the-fonts-cannot-draw")
        game.click(SETUP)
        time.sleep(1)
        game.leave()
        check(game.ini_value("CadetName") == "Li\u674e",
              f"CadetName is {game.ini_value('CadetName')!r}")
    finally:
        game.close()


def case_window_resized(url, shots):
    """At two device pixels per CSS pixel, a window made smaller shows the whole game, drawn
    again at the whole scale that now fits, and clicks still land on its controls; a box open
    over the game keeps its scale until it closes; the window made larger again gets the
    larger scale back."""
    game = Game(url, shots, browser_args=["--force-device-scale-factor=2"])
    whole_pixels = "canvas.width === 2 * canvas.clientWidth"
    try:
        game.to_idle()
        check(game.js(whole_pixels), "the canvas is not shown at one pixel per device pixel")
        start_width = game.js("canvas.width")
        game.browser.send("Emulation.setDeviceMetricsOverride",
                          {"width": 900, "height": 600, "deviceScaleFactor": 2, "mobile": False})
        game.wait(5, "the canvas fits the smaller window", lambda: game.js("""(() => {
            const c = canvas.getBoundingClientRect(), s = stage.getBoundingClientRect();
            return c.right <= s.right + 0.5 && c.bottom <= s.bottom + 0.5; })()"""))
        game.wait(5, "the game drawn again at scale 2, whole pixels",
                  lambda: game.js("canvas.width === 1280 && " + whole_pixels))
        game.shot("smaller-window")
        idle = game.area(PLAY_RECT)
        game.click(SETUP)
        game.wait(5, "SETUP opens the panel", lambda: game.area(PLAY_RECT) != idle)
        game.browser.send("Emulation.clearDeviceMetricsOverride", {})
        game.wait(5, "the canvas back at its size",
                  lambda: game.js("canvas.width === %d && " % start_width + whole_pixels))
        game.shot("larger-window")
        panel = game.area(PLAY_RECT)
        # The About box (F1) is a window of its own over the game: it keeps the scale it opened
        # at, and the change follows once it is closed.
        game.click(SETUP)
        game.wait(5, "SETUP closes the panel", lambda: game.area(PLAY_RECT) != panel)
        closed = game.area(PLAY_RECT)
        game.key("F1")
        game.wait(5, "the About box opens", lambda: game.area(PLAY_RECT) != closed)
        game.browser.send("Emulation.setDeviceMetricsOverride",
                          {"width": 900, "height": 600, "deviceScaleFactor": 2, "mobile": False})
        time.sleep(1)
        check(game.js("canvas.width") == start_width, "the scale changed under the open box")
        game.key("Escape")
        game.wait(5, "the scale followed once the box closed",
                  lambda: game.js("canvas.width === 1280 && " + whole_pixels))
        game.wait(5, "the idle screen drawn again", lambda: game.area(PLAY_RECT) == idle)
        # The quit question is the main window's own: a resize while it is asked is followed
        # at once, and again once it is withdrawn.
        game.key("Enter")
        time.sleep(1)
        game.key("Escape")
        time.sleep(0.5)
        game.browser.send("Emulation.clearDeviceMetricsOverride", {})
        game.wait(5, "the scale followed under the quit question",
                  lambda: game.js("canvas.width === %d && " % start_width + whole_pixels))
        game.browser.send("Emulation.setDeviceMetricsOverride",
                          {"width": 900, "height": 600, "deviceScaleFactor": 2, "mobile": False})
        time.sleep(0.5)
        game.key("Escape")
        game.wait(5, "the scale followed after the quit question",
                  lambda: game.js("canvas.width === 1280 && " + whole_pixels))
        game.shot("after-quit-question")
    finally:
        game.close()


def give_up_match(game):
    """Given up at the quit question, the match is over (a key that cuts the pause after the
    answer is taken by the pause: the question is asked again until it is there)."""
    deadline = time.monotonic() + 30
    while game.js("Module.qzMatchRunning"):
        check(time.monotonic() < deadline, "the match was not given up")
        game.key("Escape")
        time.sleep(1)
        game.key("Enter")
        time.sleep(1)


def case_progress_report(url, shots):
    game = Game(url, shots)
    try:
        game.to_idle()
        # A report that could not be loaded is tried again at the next click.
        game.browser.send("Network.enable")
        game.browser.send("Network.setBlockedURLs", {"urls": ["*quizendo-report.js"]})
        game.js("document.getElementById('progress').click()")
        game.wait(15, "the page says the report cannot be shown",
                  lambda: "cannot load" in game.notice())
        game.browser.send("Network.setBlockedURLs", {"urls": []})
        game.key("Enter")
        time.sleep(1)
        game.type_text("1")
        game.key("Enter")
        game.wait(15, "an answer is logged", lambda: game.count(PROBLEM_LINE) >= 1)
        # During a match the parents' buttons wait for its end: nothing covers its clock.
        game.js("document.getElementById('progress').click()")
        time.sleep(1)
        check(game.js("document.getElementById('report').hidden"), "the report opened in a match")
        check(game.js("!document.getElementById('after-match').hidden"),
              "the page does not say the report is ready after the match")
        game.shot("progress-in-match")
        give_up_match(game)
        game.js("document.getElementById('progress').click()")
        game.browser.wait_for("!document.getElementById('report').hidden", 30, "the report")
        html = game.js("document.getElementById('report-frame').srcdoc")
        body = html[html.find("<body"):] if "<body" in html else html
        check('class="cadet"' in body and "Player" in body, "no cadet in the report: " + body[:2000])
        check("<svg" in body, "the report has no charts: " + body[:2000])
        game.shot("progress")
        game.js("document.getElementById('report-close').click()")
        check(game.js("document.getElementById('report').hidden"), "the report did not close")
        log = game.js("(async () => { let got = null; const a = HTMLAnchorElement.prototype.click;"
                      " HTMLAnchorElement.prototype.click = function() { got = this; };"
                      " document.getElementById('download').click();"
                      " HTMLAnchorElement.prototype.click = a;"
                      " return got && [got.download, await (await fetch(got.href)).text()]; })()")
        check(log and log[0] == "qz.log", "Download log offers no qz.log")
        check(re.search(r", age [0-9]+ years", log[1]), "the downloaded log has no session header")
    finally:
        game.close()


ZORVEX = "/data/config/Zorvex"
SECOND_INI = ZORVEX + "/quizendo.cadet-2.ini"
# Who is training? and New cadet (400 by 380) are drawn in the middle of the canvas, with
# nothing beside them; centres of their buttons, logical pixels.
SMALL_WINDOW_LEFT = (120, 10)
FIRST_CADET = (320, 72)
SECOND_CADET = (320, 112)
NEW_CADET = (320, 352)
BESIDE_SMALL_WINDOW = (0, 0, 110, 400)
# Game.area's logical pixels are a 640th of the canvas's width.
WHOLE_CANVAS = (0, 0, 640, 400)


def lit_in(game, rect):
    """How many canvas pixels inside a logical rectangle are not black."""
    x, y, w, h = rect
    return game.js(f"""(() => {{
        const c = document.getElementById('canvas'), s = c.width / 640;
        const d = c.getContext('2d').getImageData({x} * s, {y} * s, {w} * s, {h} * s).data;
        let n = 0;
        for (let i = 0; i < d.length; i += 4) if (d[i] | d[i + 1] | d[i + 2]) n++;
        return n;
    }})()""")


def small_window_shown(game, what):
    """Waits for Who is training? or New cadet: drawn, and nothing beside it."""
    game.wait(30, what, lambda: game.js("quizendoPage.running && !quizendoPage.ended && "
                                        "!canvas.hidden") and
              game.lit() > 1000 and lit_in(game, BESIDE_SMALL_WINDOW) == 0)
    time.sleep(0.5)


def wait_running(game):
    game.browser.wait_for("quizendoPage.running && !quizendoPage.ended && canvas.width > 0", 60,
                          "the game to run again")


def train_again(game):
    game.browser.wait_for("!document.getElementById('over').hidden", 20, "the training is over")
    game.js("document.getElementById('again').click()")


def headers(game, name):
    return game.count(rf"^{name}, age [0-9]+ years")


def case_two_cadets(url, shots):
    """A cadet added from the parents' panel (not while a match runs) gets a record of its
    own; the next run asks who is training, by keyboard, mouse or touch; the chosen cadet's
    match counts in its record only, and the progress report shows both cadets."""
    game = Game(url, shots)
    try:
        game.store_settings("[1.01]\nCadetName=Ann\n")
        game.to_idle()
        game.js("document.getElementById('add-cadet').click()")
        small_window_shown(game, "New cadet")
        game.shot("new-cadet")
        game.type_text("Bea")
        for text in ("3", "4", "2016"):
            game.key("Tab")
            game.type_text(text)
        game.key("Enter")
        game.to_idle()
        check(headers(game, "Bea") == 1, "the game did not play for Bea")
        ann = game.file(INI)
        check(re.search(r"^CadetName=Ann\r?$", ann or "", re.M), f"Ann's record is {ann!r}")
        game.leave()
        bea = game.file(SECOND_INI)
        check(re.search(r"^CadetName=Bea\r?$", bea or "", re.M), f"Bea's record is {bea!r}")
        # A White-belt match, the one the test plays, chosen in Bea's record.
        bea_white = "[1.01]\nCadetName=Bea" + WHITE_BELT[len("[1.01]"):]
        game.js(f"Module.FS.writeFile('{SECOND_INI}', {bea_white!r})")
        game.js("Module.qzStorageSettled()")

        # Two cadets: the next run asks who is training. The second is chosen by keyboard.
        train_again(game)
        small_window_shown(game, "Who is training?")
        game.shot("who-is-training")
        game.browser.key("ArrowDown", "ArrowDown", 40)
        game.key("Enter")
        enter_idle = game.to_idle()
        check(headers(game, "Bea") == 2, "the keyboard did not choose Bea")

        def add_in_match():
            game.js("document.getElementById('add-cadet').click()")
            check(game.js("!document.getElementById('after-match').hidden"),
                  "Add a cadet did not wait for the match's end")
        play_white_match(game, enter_idle, add_in_match)
        time.sleep(1)
        check(game.js("quizendoPage.running && !quizendoPage.ended"),
              "Add a cadet in a match ended the game")
        game.leave()
        check(game.file(INI) == ann, "Bea's match changed Ann's record")
        bea = game.file(SECOND_INI)
        check(int(re.search(r"^OldHiScore=([0-9]+)", bea, re.M).group(1)) > 0,
              f"Bea's record did not take her match: {bea!r}")
        check(game.count(PROBLEM_LINE) == 20, "not the 20 problem lines of Bea's match")

        # By mouse: New cadet, left with Escape back to the chooser; by touch: Ann.
        train_again(game)
        small_window_shown(game, "Who is training? again")
        chooser = game.area(WHOLE_CANVAS)
        game.click(NEW_CADET)
        game.wait(10, "New cadet opens over the chooser",
                  lambda: game.area(WHOLE_CANVAS) != chooser)
        game.key("Escape")
        game.wait(10, "Escape goes back to the chooser", lambda: game.area(WHOLE_CANVAS) == chooser)
        game.tap(FIRST_CADET)
        game.to_idle()
        check(headers(game, "Ann") == 2, "the tap did not choose Ann")
        # Ann answers once and gives the match up, so that the report has her too.
        answered = game.count(PROBLEM_LINE)
        game.key("Enter")
        time.sleep(1)
        game.type_text("1")
        game.key("Enter")
        game.wait(15, "Ann's answer is logged", lambda: game.count(PROBLEM_LINE) > answered)
        give_up_match(game)
        time.sleep(2)
        game.leave()

        game.js("document.getElementById('progress').click()")
        game.browser.wait_for("!document.getElementById('report').hidden", 30, "the report")
        html = game.js("document.getElementById('report-frame').srcdoc")
        for name in ("Ann", "Bea"):
            check(re.search(rf'<h2 id="cadet-[0-9]+-name">{name}</h2>', html),
                  f"the report has no section for {name}: " + " ".join(re.findall(r"<h2[^<]*</h2>", html)))
        game.shot("report-two-cadets")
    finally:
        game.close()


CADETS_OFFERED = "[...document.querySelectorAll('#cadets-list button')].map((b) => b.textContent)"


def offer_removal(game):
    game.js("document.getElementById('remove-cadet').click()")
    game.browser.wait_for("!document.getElementById('cadets').hidden", 30,
                          "the cadets to remove")
    check(game.js(CADETS_OFFERED) == ["Ann", "Bea"], f"offered {game.js(CADETS_OFFERED)}")
    game.js("document.querySelectorAll('#cadets-list button')[1].click()")
    text = game.js("document.getElementById('cadets-text').textContent")
    check(text.startswith("Remove the cadet Bea?"), f"the page asks {text!r}")


def case_remove_a_cadet(url, shots):
    """Removing a cadet is asked once more: Escape keeps every record; Remove renames the
    record as removed, kept across a reload, and the game starts for the one left."""
    game = Game(url, shots)
    try:
        game.to_idle()
        game.leave()
        game.js(f"Module.FS.mkdirTree('{ZORVEX}'); "
                f"Module.FS.writeFile('{INI}', '[1.01]\\nCadetName=Ann\\n'); "
                f"Module.FS.writeFile('{SECOND_INI}', '[1.01]\\nCadetName=Bea\\n')")
        game.js("Module.qzStorageSettled()")
        train_again(game)
        small_window_shown(game, "Who is training?")
        offer_removal(game)
        game.key("Escape")
        small_window_shown(game, "Who is training? after Escape")
        check("CadetName=Bea" in (game.file(SECOND_INI) or ""), "Escape removed Bea")

        offer_removal(game)
        game.shot("remove-a-cadet")
        game.js("document.getElementById('cadets-remove').click()")
        game.wait(30, "the page says Bea was removed", lambda: "Removed Bea" in game.notice())
        wait_running(game)
        game.to_idle()
        check(headers(game, "Ann") == 1, "the game did not start for Ann, the one left")
        game.leave()
        game.load()
        files = game.js(f"Module.FS.readdir('{ZORVEX}')")
        kept = [f for f in files if re.fullmatch(r"quizendo\.cadet-2\.removed-[0-9]+\.ini", f)]
        check("quizendo.cadet-2.ini" not in files and len(kept) == 1,
              f"after a reload the records are {files}")
        check("CadetName=Bea" in game.file(ZORVEX + "/" + kept[0]), "Bea's record was not kept")
    finally:
        game.close()


CAPTURE_DOWNLOADS = """window.qzDownloads = [];
HTMLAnchorElement.prototype.click = function() { qzDownloads.push([this.download, this.href]); };
"""


def load_progress_file(game, path):
    """Chooses `path` in the page's file box of Load progress, as the parent does."""
    # As the page's button does before it opens the box: the same file chosen again counts.
    game.js("document.getElementById('notice').hidden = true; "
            "document.getElementById('progress-file').value = ''")
    root = game.browser.send("DOM.getDocument")["root"]["nodeId"]
    node = game.browser.send("DOM.querySelector", {"nodeId": root, "selector": "#progress-file"})
    game.browser.send("DOM.setFileInputFiles", {"files": [path], "nodeId": node["nodeId"]})
    game.wait(30, "the page says what became of the file", lambda: game.notice())
    return game.notice()


def stored_state(game):
    return game.js(f"""(() => {{
        const files = Module.FS.readdir('{ZORVEX}').filter((f) => f.endsWith('.ini')).sort();
        return [files, files.map((f) => Module.FS.readFile('{ZORVEX}/' + f, {{encoding: 'utf8'}})),
                Module.FS.stat('{LOG}').size];
    }})()""")


def case_progress_travels(url, shots):
    """Save progress in one browser, Load progress in a fresh one: a new cadet there, then the
    same file again (a copy that holds everything) taken; files that are damaged, too large, of
    another kind, crafted, or older than what the browser holds are refused and change
    nothing."""
    folder = tempfile.mkdtemp(prefix="qz-progress-")
    game = Game(url, shots)
    try:
        game.store_settings("[1.01]\nCadetName=Ann\nBDateDay=3\nBDateMonth=4\nBDateYear=2016\n")
        game.to_idle()
        game.key("Enter")
        time.sleep(1)
        game.type_text("1")
        game.key("Enter")
        game.wait(15, "Ann's answer is logged", lambda: game.count(PROBLEM_LINE) >= 1)
        give_up_match(game)
        time.sleep(2)
        game.leave()
        game.js(CAPTURE_DOWNLOADS)
        game.js("document.getElementById('save-progress').click()")
        game.browser.wait_for("!document.getElementById('cadets').hidden", 30, "whose progress")
        check(game.js(CADETS_OFFERED) == ["Ann (03.04.2016)"], f"offered {game.js(CADETS_OFFERED)}")
        game.js("document.querySelector('#cadets-list button').click()")
        game.wait(10, "the download", lambda: game.js("qzDownloads.length") == 1)
        name, text = game.js("(async () => [qzDownloads[0][0], "
                             "await (await fetch(qzDownloads[0][1])).text()])()")
        check(name == "quizendo-progress-Ann.json", f"the file is named {name!r}")
        saved = json.loads(text)
        check(len(saved["sessions"]) == 1 and PROBLEM_LINE[1:4] and
              re.search(r"^Ann, age [0-9]+ years", saved["sessions"][0]),
              f"the file's sessions: {saved['sessions']}")
        wait_running(game)
        check(saved["record"] == game.file(INI), "the file's record is not Ann's record")
    finally:
        game.close()

    def write(name, content):
        path = os.path.join(folder, name)
        with open(path, "w" if isinstance(content, str) else "wb") as f:
            f.write(content)
        return path

    game = Game(url, shots)
    try:
        game.to_idle()
        forged = dict(saved, sessions=saved["sessions"] +
                      ["Bea, age 9 years 0 months\tDate: 25-01-01 10:00:00\r\n"])
        other_name = dict(saved, cadet=dict(saved["cadet"], name="Zed"))
        big = write("big.json", "")
        with open(big, "wb") as f:
            f.truncate(65 * 1024 * 1024)
        refused = [
            ("damaged", write("damaged.json", text[:len(text) // 2]), "damaged"),
            ("too large", big, "larger than 64 MB"),
            ("another kind", write("other.json", json.dumps({"kind": "other"})),
             "not a Quizendo progress file"),
            ("a picture", write("picture.json", b"\x89PNG\r\n\x1a\n\0\0\0\rIHDR"), "damaged"),
            ("a forged session", write("forged.json", json.dumps(forged)), "not Ann's"),
            ("a header not its record's", write("other-name.json", json.dumps(other_name)),
             "not the cadet of its record"),
        ]
        before = stored_state(game)
        for what, path, said in refused:
            told = load_progress_file(game, path)
            check(said in told, f"{what}: the page says {told!r}")
            check(stored_state(game) == before, f"{what}: the stored files changed")

        good = write("ann.json", text)
        told = load_progress_file(game, good)
        check("as a new cadet: 1 session added" in told, f"the page says {told!r}")
        small_window_shown(game, "Who is training?, with Ann")
        check(game.file(SECOND_INI) == saved["record"], "Ann's record is not the file's")
        check(saved["sessions"][0].replace("\r", "") in "\n".join(game.log_lines()),
              "Ann's session is not logged")

        # The same file again: it holds every session of Ann's here.
        told = load_progress_file(game, good)
        check("was loaded: 0 sessions added" in told, f"the same file again: {told!r}")
        small_window_shown(game, "Who is training?, after the same file")

        # A session of Ann's that the file lacks: the file is older, and refused.
        header = saved["sessions"][0].split("\r\n")[0]
        later = header[:-1] + str((int(header[-1]) + 1) % 10)
        game.js(f"(() => {{ const s = Module.FS.open('{LOG}', 'a'); "
                f"const b = new TextEncoder().encode({json.dumps(later + chr(13) + chr(10))}); "
                "Module.FS.write(s, b, 0, b.length); Module.FS.close(s); })()")
        game.js("Module.qzStorageSettled()")
        before = stored_state(game)
        told = load_progress_file(game, good)
        check("older" in told and later.replace("\t", " ") in told and "Nothing was changed" in told,
              f"an older file: {told!r}")
        small_window_shown(game, "Who is training?, after the older file")
        check(stored_state(game) == before, "the older file changed the stored files")
    finally:
        game.close()
        shutil.rmtree(folder, ignore_errors=True)


# The browser refuses the storage, as a private window or a full disk may.
REFUSE_STORAGE = """
Object.defineProperty(window, 'indexedDB', {get() {
  throw new DOMException('The user denied permission to access the database.', 'SecurityError');
}});
"""


def case_storage_refused_still_plays(url, shots):
    game = Game(url, shots, before_load=REFUSE_STORAGE)
    try:
        game.to_idle()
        notice = game.js("document.getElementById('notice').hidden ? '' : "
                         "document.getElementById('notice').textContent")
        check("will not be kept" in notice, f"no notice in the page: {notice!r}")
        game.shot("storage-refused")
        game.key("Enter")
        time.sleep(1)
        game.browser.type_text("1")
        game.key("Enter")
        game.wait(15, "an answer is logged", lambda: game.count(PROBLEM_LINE) >= 1)
    finally:
        game.close()


def case_sounds_play_in_the_browsers_audio(url, shots):
    """The game's sounds are buffers the browser plays by itself: at the idle screen the
    waiting music loops, 16 s long, and the game's leaving closes the audio."""
    game = Game(url, shots, browser_args=("--autoplay-policy=no-user-gesture-required",))
    voice = """(() => { const a = Module.qzAudio, v = a && a.voice;
        return v ? [a.context.state, v.source.loop, v.source.buffer.duration, v.ended] : null;
        })()"""
    try:
        game.to_idle()
        game.click((320, 200))  # a gesture, after which a page may sound
        game.wait(5, "the waiting music plays", lambda: game.js(voice) is not None)
        state, loop, seconds, ended = game.js(voice)
        check(state == "running" and loop and not ended, f"the music: {game.js(voice)!r}")
        check(abs(seconds - 16) < 0.01, f"the waiting music lasts {seconds} s, not 16")
        context = "window.qzContext = Module.qzAudio.context"
        game.js(context)
        game.leave()
        game.wait(5, "the audio closed", lambda: game.js("qzContext.state") == "closed")
    finally:
        game.close()


def case_second_tab_waits_for_the_first(url, shots):
    """A second tab in the same profile says the game is open and leaves the first one alone;
    once the first tab is closed, it starts the game by itself."""
    game = Game(url, shots)
    try:
        game.to_idle()
        first = game.browser.session, game.browser.target
        game.browser.open_page()
        second = game.browser.session, game.browser.target
        game.browser.navigate(url)
        text = game.browser.wait_for("document.getElementById('problem') && "
                                     "!document.getElementById('problem').hidden && "
                                     "document.getElementById('problem').textContent", 30,
                                     "the message in the second tab")
        check("already open in another tab" in text, f"message: {text!r}")
        check(game.js("typeof Module === 'undefined' || typeof Module.FS === 'undefined'"),
              "the second tab started the game")
        check(game.js("document.getElementById('parents').hidden"),
              "the second tab offers a report and a log it does not have")
        game.shot("second-tab")
        # The first tab plays on and keeps writing.
        game.browser.session = first[0]
        game.key("Enter")
        time.sleep(1)
        game.type_text("1")
        game.key("Enter")
        game.wait(15, "an answer is logged in the first tab",
                  lambda: game.count(PROBLEM_LINE) >= 1)
        game.browser.close_page(first[1])
        game.browser.session, game.browser.target = second
        game.browser.wait_for("window.quizendoPage && quizendoPage.running", 60,
                              "the game to start in the second tab")
        game.about_box_shown()
        check(game.count(PROBLEM_LINE) == 1 and game.count("^SUMMARY$") == 1,
              "the second tab does not have what the first one wrote")
    finally:
        game.close()


def case_page_opened_as_file(url, shots):
    browser = cdp.Browser()
    try:
        browser.open_page()
        browser.navigate("file://" + os.path.join(os.path.abspath(sys.argv[1]), "index.html"))
        text = browser.wait_for("document.getElementById('problem') && "
                                "!document.getElementById('problem').hidden && "
                                "document.getElementById('problem').textContent", 20,
                                "the message")
        check("served over HTTP" in text, f"message: {text!r}")
    finally:
        browser.close()


def kept_caches(game):
    return game.js("caches.keys()")


def case_plays_offline(url, shots):
    """Loaded once, the game starts again with its server gone, plays, and keeps its log."""
    server = serve(os.path.abspath(sys.argv[1]))
    game = Game(f"http://127.0.0.1:{server.server_address[1]}/index.html", shots)
    try:
        game.browser.wait_for("quizendoPage.offlineReady", 60, "the game kept for offline play")
        check(game.js("!document.getElementById('offline').hidden"),
              "the parents' panel does not say the game plays offline")
        check(len(kept_caches(game)) == 1, f"caches: {kept_caches(game)}")
        game.about_box_shown()
        server.shutdown()
        server.server_close()
        game.reload()
        game.to_idle()
        game.shot("offline-idle")
        game.key("Enter")
        time.sleep(1)
        game.type_text("1")
        game.key("Enter")
        game.wait(15, "an answer is logged offline", lambda: game.count(PROBLEM_LINE) >= 1)
        check(game.js("fetch('quizendo-report.wasm').then((r) => r.ok)"),
              "the report is not there offline")
        game.reload()
        check(game.count(PROBLEM_LINE) == 1, f"{game.count(PROBLEM_LINE)} problem lines after "
              "a reload offline, not 1")
    finally:
        game.close()
        server.server_close()


def case_new_build_replaces_the_cache(url, shots):
    """A new build is kept under a new cache name that replaces the old cache whole, once no
    page of the old build is open; the page then comes from the new build."""
    source = os.path.abspath(sys.argv[1])
    folder = tempfile.mkdtemp(prefix="qz-build-")
    worker = open(os.path.join(source, "sw.js"), encoding="utf-8").read()
    files = json.loads("[" + re.search(r"const FILES = \[(.*)\];", worker).group(1) + "]")
    for name in files + ["sw.js"]:
        shutil.copy(os.path.join(source, name), folder)
    server = serve(folder)
    game = Game(f"http://127.0.0.1:{server.server_address[1]}/index.html", shots)
    try:
        game.browser.wait_for("quizendoPage.offlineReady", 60, "the game kept for offline play")
        old = kept_caches(game)
        check(len(old) == 1, f"caches: {old}")
        game.reload()  # now a page of the old build, from its cache
        check(game.js("navigator.serviceWorker.controller !== null"), "the page is not kept")
        # The new build: one file changed, its service worker made again.
        with open(os.path.join(folder, "page.css"), "a", encoding="utf-8") as f:
            f.write("#stage { --new-build: 1; }\n")
        subprocess.run([sys.executable, os.path.join(ROOT, "tools", "web", "service-worker.py"),
                        os.path.join(ROOT, "web", "sw.js.in"), os.path.join(folder, "sw.js"),
                        folder, *files], check=True)
        new_build = "getComputedStyle(stage).getPropertyValue('--new-build').trim() === '1'"
        # The browser looks for a new service worker now and then; the test asks at once. The
        # new build is fetched beside the old one and waits while a page of the old one is open.
        game.js("navigator.serviceWorker.getRegistration().then((r) => r.update())")
        game.browser.wait_for("navigator.serviceWorker.getRegistration().then((r) => "
                              "!!r.waiting)", 60, "the new build fetched")
        check(kept_caches(game)[0] == old[0] and len(kept_caches(game)) == 2,
              f"caches while the old build runs: {kept_caches(game)}")
        check(not game.js(new_build), "the open page took a file of the new build")
        deadline = time.monotonic() + 60
        while True:
            game.browser.close_page()
            time.sleep(0.5)
            game.browser.open_page()
            game.load()
            caches = kept_caches(game)
            if caches != old and len(caches) == 1 and game.js(new_build):
                break
            check(not game.js(new_build) or caches != old, "the new page came from the old cache")
            check(time.monotonic() < deadline, f"the new build did not take over: {caches} " +
                  repr(game.js("navigator.serviceWorker.getRegistration().then((r) => "
                               "[!!r.active, !!r.waiting, !!r.installing])")))
            time.sleep(1)
        check(caches[0].startswith("quizendo-") and caches[0] != old[0],
              f"the caches {old} became {caches}")
    finally:
        game.close()
        server.shutdown()
        server.server_close()
        shutil.rmtree(folder, ignore_errors=True)


def case_not_kept_without_a_secure_address(url, shots):
    """Served over plain HTTP to another computer, the browser allows no service worker: the
    game still plays, and the page does not say it plays offline."""
    address = next((a for a in subprocess.run(["hostname", "-I"], capture_output=True,
                                              text=True).stdout.split()
                    if re.fullmatch(r"[0-9.]+", a) and not a.startswith("127.")), None)
    if address is None:
        print("SKIP not_kept_without_a_secure_address: no address but this computer's own")
        return
    handler = functools.partial(QuietHandler, directory=os.path.abspath(sys.argv[1]))
    server = http.server.ThreadingHTTPServer((address, 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    game = Game(f"http://{address}:{server.server_address[1]}/index.html", shots)
    try:
        game.to_idle()
        check(not game.js("window.isSecureContext"), "the address counts as secure")
        check(game.js("document.getElementById('offline').hidden"),
              "the page says the game plays offline")
        check(game.js("navigator.serviceWorker === undefined || "
                      "navigator.serviceWorker.controller === null"), "a service worker runs")
        game.key("Enter")
        time.sleep(1)
        game.type_text("1")
        game.key("Enter")
        game.wait(15, "an answer is logged", lambda: game.count(PROBLEM_LINE) >= 1)
    finally:
        game.close()
        server.shutdown()
        server.server_close()


def case_storage_kept_or_download_offered(url, shots):
    """After the first gesture the page asks that its storage be kept; where the browser
    refuses, the parents' panel says the progress may be cleared and points to the log."""
    for granted in (False, True):
        answer = "true" if granted else "false"
        game = Game(url, shots, before_load=f"""
            window.qzPersistAsked = 0;
            navigator.storage.persisted = () => Promise.resolve(false);
            navigator.storage.persist = () => {{ window.qzPersistAsked++;
                                                return Promise.resolve({answer}); }};""")
        shown = "!document.getElementById('may-clear').hidden"
        try:
            game.about_box_shown()
            check(game.js("qzPersistAsked") == 0, "asked before any gesture")
            game.key("Escape")
            game.wait(5, "the page asks to keep its storage", lambda: game.js("qzPersistAsked"))
            time.sleep(0.3)
            check(game.js(shown) != granted, f"the warning with storage kept={granted}")
            if not granted:
                text = game.js("document.getElementById('may-clear').textContent")
                check('"Download log"' in text, f"the warning says {text!r}")
                game.shot("storage-may-be-cleared")
            game.key("Enter")
            check(game.js("qzPersistAsked") == 1, "asked more than once")
        finally:
            game.close()


CASES = {name[5:]: fn for name, fn in globals().items() if name.startswith("case_")}


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    if cdp.find_chromium() is None:
        print("SKIP: Chromium is not installed")
        return 0
    folder = os.path.abspath(sys.argv[1])
    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    shots = os.path.join(folder, "test-shots")
    chosen = sys.argv[2:] or list(CASES)
    failed = 0
    for name in chosen:
        start = time.monotonic()
        try:
            CASES[name](url, shots)
            print(f"PASS {name} ({time.monotonic() - start:.1f} s)", flush=True)
        except Exception:  # one case failing must not stop the others
            failed += 1
            print(f"FAIL {name}", flush=True)
            traceback.print_exc()
    server.shutdown()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
