#!/usr/bin/env python3
"""Figures of the browser build, printed side by side with the desktop build's where both
exist: bytes to download, navigation to the About box drawn, processor use at the idle screen
with its music, and a White-belt match's wall time (the same keyboard match on both).

Usage: bench/web-bench.py [--idle] [BUILD_WEB_DIR] [BUILD_DIR]   (defaults build-web/, build/)
--idle prints only the processor use at the idle screen, browser beside desktop.
The desktop column needs BUILD_DIR/quizendo, Xvfb, xdotool and ImageMagick; without them it
shows "-". Headless Chromium, served from 127.0.0.1. The machine is shared: read single runs
with care.
"""

import gzip
import hashlib
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "web"))
sys.dont_write_bytecode = True

import cdp  # noqa: E402
from browser_test import WHITE_BELT, Game, serve  # noqa: E402
from white_match import play_white_match  # noqa: E402

PAGE_FILES = ["index.html", "page.js", "progress.js", "page.css", "quizendo.js", "quizendo.wasm",
              "quizendo.data"]
ON_DEMAND = ["quizendo-report.js", "quizendo-report.wasm"]

# Records, in the page, when the canvas first shows anything: the About box drawn.
FIRST_DRAWN = """
(() => {
  const look = () => {
    const c = document.getElementById('canvas');
    if (c && !c.hidden && c.width > 0) {
      const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
      for (let i = 0; i < d.length; i += 64)
        if (d[i] | d[i + 1] | d[i + 2]) { window.qzFirstDrawnMs = performance.now(); return; }
    }
    requestAnimationFrame(look);
  };
  requestAnimationFrame(look);
})();
"""


def row(name, web, desktop, goal=""):
    print(f"{name:<48} {web:>12} {desktop:>12}   {goal}")


def sizes(folder):
    print("sizes: raw in the first column, compressed with gzip -9 (as a server may send them) "
          "in the second")
    total = total_gz = 0
    for name in PAGE_FILES + ON_DEMAND:
        data = open(os.path.join(folder, name), "rb").read()
        packed = len(gzip.compress(data, 9))
        if name in PAGE_FILES:
            total += len(data)
            total_gz += packed
        row(f"  {name}{' (Progress only)' if name in ON_DEMAND else ''} (KB, gzip)",
            f"{len(data) / 1024:.0f}", f"{packed / 1024:.0f}")
    row("bytes to download, page + js + wasm + data (MB)", f"{total / 1e6:.2f}",
        f"{total_gz / 1e6:.2f} gz", "goal < 5 MB")


def first_drawn(url, shots):
    cold = []
    warm = []
    for _ in range(3):
        browser = cdp.Browser()
        try:
            browser.open_page()
            browser.send("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_DRAWN})
            for times in (cold, warm):
                browser.navigate(url)
                times.append(browser.wait_for("window.qzFirstDrawnMs", 30, "the About box"))
        finally:
            browser.close()
    return statistics.median(cold), statistics.median(warm)


IDLE_SECONDS = 10


def proc_cpu_seconds(pid):
    """utime + stime of a process from /proc, in seconds."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def proc_cpu_percent(pid):
    """% of one core used by process `pid` over IDLE_SECONDS."""
    before = proc_cpu_seconds(pid)
    time.sleep(IDLE_SECONDS)
    return (proc_cpu_seconds(pid) - before) * 100 / IDLE_SECONDS


def browser_idle_cpu(url, shots):
    """% of one core used over IDLE_SECONDS at the idle screen with its music: by the busiest
    renderer (the page's own) and by all the browser's processes. The browser reports its
    processes' times itself, as their ids are not this machine's own when it runs them in a
    sandbox."""
    game = Game(url, shots, browser_args=("--autoplay-policy=no-user-gesture-required",),
                mute=False)
    try:
        game.to_idle()
        game.click((320, 200))  # a gesture: the music may start
        time.sleep(2)

        def times():
            info = game.browser.send("SystemInfo.getProcessInfo", session=False)["processInfo"]
            return {(p["type"], p["id"]): p["cpuTime"] for p in info}

        before = times()
        time.sleep(IDLE_SECONDS)
        after = times()
        used = {key: (after[key] - before.get(key, 0)) * 100 / IDLE_SECONDS for key in after}
        renderer = max(v for (kind, _), v in used.items() if kind == "renderer")
        return renderer, sum(used.values())
    finally:
        game.close()


def desktop_idle_cpu(exe):
    """% of one core used by the desktop game (/proc) at the idle screen."""
    if not (os.access(exe, os.X_OK) and shutil.which("Xvfb") and shutil.which("xdotool")):
        return None
    desktop = Desktop(exe)
    try:
        desktop.to_idle()
        time.sleep(2)
        return proc_cpu_percent(desktop.game.pid)
    finally:
        desktop.close()


def browser_match(url, shots):
    game = Game(url, shots)
    try:
        game.store_settings(WHITE_BELT)
        enter_idle = game.to_idle()
        start = time.monotonic()
        play_white_match(game, enter_idle)
        return time.monotonic() - start
    finally:
        game.close()


class Desktop:
    """The desktop build in a private Xvfb, driven with xdotool like the e2e scripts."""

    def __init__(self, exe):
        self.work = tempfile.mkdtemp(prefix="qz-bench-")
        self.display = f":{400 + os.getpid() % 50}"
        self.xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1024x768x24",
                                      "-nolisten", "tcp", "-noreset"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        home = os.path.join(self.work, "home")
        os.makedirs(os.path.join(home, ".config", "Zorvex"))
        os.makedirs(os.path.join(self.work, "run"))
        with open(os.path.join(home, ".config", "Zorvex", "quizendo.ini"), "w") as f:
            f.write(WHITE_BELT)
        self.env = dict(os.environ, DISPLAY=self.display, SDL_AUDIODRIVER="dummy", HOME=home,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"))
        self.log = os.path.join(self.work, "run", "qz.log")
        time.sleep(1)
        self.game = subprocess.Popen([exe], cwd=os.path.join(self.work, "run"), env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.win = None

    def window(self, title):
        out = subprocess.run(["timeout", "15", "xdotool", "search", "--sync", "--limit", "1",
                              "--name", f"^{title}$"], env=self.env, capture_output=True,
                             text=True).stdout.split()
        return out[0] if out else None

    def xdotool(self, *args):
        subprocess.run(["timeout", "20", "xdotool", "windowfocus", "--sync", self.win, *args],
                       env=self.env, check=True)

    def key(self, name):
        self.xdotool("key", "--delay", "30", {"Enter": "Return", "Shift": "shift"}.get(name, name))

    def type_text(self, text):
        self.xdotool("type", "--delay", "30", "--", text)

    def log_lines(self):
        try:
            return open(self.log, encoding="utf-8").read().replace("\r", "").split("\n")
        except OSError:
            return []

    def count(self, pattern):
        return sum(1 for line in self.log_lines() if re.search(pattern, line))

    def area(self, rect):
        x, y, w, h = rect
        png = subprocess.run(["timeout", "10", "import", "-silent", "-window", self.win, "-crop",
                              f"{w}x{h}+{x}+{y}", "+repage", "rgb:-"], env=self.env,
                             capture_output=True).stdout
        return hashlib.sha1(png).hexdigest()

    def wait(self, seconds, what, predicate):
        deadline = time.monotonic() + seconds
        while not predicate():
            if time.monotonic() > deadline:
                raise RuntimeError(f"desktop: timed out: {what}")
            time.sleep(0.1)

    def to_idle(self):
        about = self.window("About Quizendo")
        self.win = about
        self.key("Escape")
        self.win = self.window("Quizendo")
        self.wait(10, "session header", lambda: self.count(", age [0-9]+ years") >= 1)
        time.sleep(0.5)
        title = self.area((16, 80, 608, 200))
        self.wait(10, "title goes", lambda: self.area((16, 80, 608, 200)) != title)
        time.sleep(1.5)

    def match(self):
        self.to_idle()
        enter_idle = self.area((260, 296, 120, 52))
        start = time.monotonic()
        play_white_match(self, enter_idle)
        return time.monotonic() - start

    def close(self):
        for process in (self.game, self.xvfb):
            process.kill()
            process.wait()
        shutil.rmtree(self.work, ignore_errors=True)


def desktop_match(exe):
    if not (os.access(exe, os.X_OK) and shutil.which("Xvfb") and shutil.which("xdotool")):
        return None
    desktop = Desktop(exe)
    try:
        return desktop.match()
    finally:
        desktop.close()


def main():
    args = sys.argv[1:]
    idle_only = "--idle" in args
    args = [a for a in args if a != "--idle"]
    folder = os.path.abspath(args[0] if len(args) > 0 else "build-web")
    native = os.path.abspath(args[1] if len(args) > 1 else "build")
    server = serve(folder)
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    shots = tempfile.mkdtemp(prefix="qz-bench-shots-")
    print(f"{os.cpu_count()} cores, load {open('/proc/loadavg').read().split()[0]}, "
          f"Chromium headless, page from {url}")
    row("figure", "browser", "desktop")
    idle_web, idle_everything = browser_idle_cpu(url, shots)
    idle_desk = desktop_idle_cpu(os.path.join(native, "quizendo"))
    row(f"idle screen, renderer / game, /proc over {IDLE_SECONDS} s (% core)",
        f"{idle_web:.2f}", f"{idle_desk:.2f}" if idle_desk is not None else "-", "goal < 0.5")
    if idle_only:
        server.shutdown()
        shutil.rmtree(shots, ignore_errors=True)
        return
    sizes(folder)
    cold, warm = first_drawn(url, shots)
    row("navigation to About box drawn, new profile (ms)", f"{cold:.0f}", "-", "goal < 1500")
    row("navigation to About box drawn, cached (ms)", f"{warm:.0f}", "-")
    row("idle screen, all browser processes (% core)", f"{idle_everything:.2f}", "-")
    web = browser_match(url, shots)
    desk = desktop_match(os.path.join(native, "quizendo"))
    row("White-belt keyboard match, wall time (s)", f"{web:.1f}",
        f"{desk:.1f}" if desk is not None else "-")
    server.shutdown()
    shutil.rmtree(shots, ignore_errors=True)


if __name__ == "__main__":
    main()
