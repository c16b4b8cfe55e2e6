#!/usr/bin/env python3
"""Figures of the browser build on a touch screen and offline, printed, not judged:

- from a tap on the number pad to the digit drawn in the answer box, beside the same from a
  key press, over 100 presses each (median and 95th percentile; goal: the pad within one
  frame, 16 ms, of the keyboard);
- the installed game started with its server stopped: navigation to the About box drawn
  (median of five; goal under 0.5 s);
- the bytes the service worker keeps, and the bytes a second visit downloads when nothing
  changed (goal: nothing beyond the browser's own look at its service worker).

Usage: bench/web-touch-bench.py [BUILD_WEB_DIR]   (default build-web/)
Headless Chromium as an iPad in landscape, touch emulated, served from 127.0.0.1. The machine
is shared: read single runs with care.
"""

import functools
import importlib
import http.server
import os
import statistics
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "web"))
sys.dont_write_bytecode = True

from browser_test import ABOUT_OK, IPAD_LANDSCAPE, NEUTRAL, Game, QuietHandler  # noqa: E402

# Logical rectangle of the answer box.
ANSWER_BOX = (416, 170, 208, 70)

# In the page: the time from an input (the lifting finger on the pad, or the key press) to the
# first frame the game hands the canvas in which the answer box looks different.
LATENCY_PROBE = """
(() => {
  const [bx, by, bw, bh] = %s;
  const print = (data, width) => {
    const s = width / 640;
    let h = 2166136261;
    for (let y = by * s; y < (by + bh) * s; y += 2)
      for (let x = bx * s; x < (bx + bw) * s; x += 2) {
        const i = (y * width + x) * 4;
        h = Math.imul(h ^ data[i] ^ (data[i + 1] << 8) ^ (data[i + 2] << 16), 16777619);
      }
    return h >>> 0;
  };
  const probe = window.qzLatency = {samples: [], pending: null, before: 0};
  const start = (e) => {
    const c = document.getElementById('canvas');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    probe.before = print(d, c.width);
    probe.pending = {stamp: e.timeStamp, handled: performance.now()};
  };
  window.addEventListener('pointerup', (e) => { if (e.target.closest('#pad')) start(e); }, true);
  window.addEventListener('keydown', (e) => { if (/^[0-9]$/.test(e.key)) start(e); }, true);
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function(image, ...rest) {
    put.call(this, image, ...rest);
    if (probe.pending === null || print(image.data, image.width) === probe.before) return;
    const now = performance.now();
    probe.samples.push([now - probe.pending.stamp, now - probe.pending.handled]);
    probe.pending = null;
  };
})();
""" % list(ANSWER_BOX)

# The About box drawn, as the size-and-speed benchmark records it.
FIRST_DRAWN = importlib.import_module("web-bench").FIRST_DRAWN


class CountingHandler(QuietHandler):
    """Serves the build and counts the bytes of every file body it sends."""
    sent = []

    def copyfile(self, source, outputfile):
        size = os.fstat(source.fileno()).st_size
        CountingHandler.sent.append((self.path, size))
        super().copyfile(source, outputfile)


def serve_counting(folder):
    handler = functools.partial(CountingHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def latencies(game, press_digit, press_delete, start_match, count):
    """`count` samples of the time from a digit's press to the digit drawn."""
    probe = "window.qzLatency.samples.length"
    while game.js(probe) < count:
        if not game.js("Module.qzMatchRunning"):
            start_match()
            time.sleep(1.5)
            continue
        before = game.js(probe)
        press_digit()
        deadline = time.monotonic() + 1.5
        while game.js(probe) == before and time.monotonic() < deadline:
            time.sleep(0.02)
        game.js("window.qzLatency.pending = null")  # a press in a pause draws nothing: skipped
        press_delete()
        time.sleep(0.15)
    return game.js("window.qzLatency.samples")[:count]


def row(name, pad, keyboard, goal=""):
    print(f"{name:<44} {pad:>10} {keyboard:>10}   {goal}")


def tap_to_digit(url, shots):
    game = Game(url, shots, device=IPAD_LANDSCAPE, before_load=LATENCY_PROBE)
    try:
        game.to_idle(close_about=lambda: game.tap(ABOUT_OK))
        pad = latencies(game, lambda: game.pad("1"), lambda: game.pad("delete"),
                        lambda: game.pad("enter"), 100)
        # A key press hides the pad; the game settles at its new size before the keyboard's
        # figures are taken.
        game.key("Shift")
        time.sleep(1)
        game.js("window.qzLatency.samples = []")
        keys = latencies(game, lambda: game.type_text("1"), lambda: game.key("Backspace"),
                         lambda: game.key("Enter"), 100)
    finally:
        game.close()
    print(f"latency to the digit drawn in the answer box, ms ({len(pad)} and {len(keys)} presses)")
    row("", "pad", "keyboard")
    # From the input's own time stamp (what the child feels), and from the moment the page's
    # handler runs (what the game and the page add; the browser delivers an emulated touch's
    # end aligned to its next frame).
    for index, since in ((0, "the input's time stamp"), (1, "the page's handler")):
        pad_ms = [sample[index] for sample in pad]
        key_ms = [sample[index] for sample in keys]
        row(f"median, from {since}", f"{statistics.median(pad_ms):.1f}",
            f"{statistics.median(key_ms):.1f}", "goal: pad within 16 ms of the keyboard")
        row(f"95th percentile, from {since}", f"{percentile(pad_ms, 0.95):.1f}",
            f"{percentile(key_ms, 0.95):.1f}")


def offline(folder, shots):
    CountingHandler.sent = []
    server = serve_counting(folder)
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    game = Game(url, shots)
    try:
        game.browser.wait_for("quizendoPage.offlineReady", 60, "the game kept for offline play")
        kept = game.js("""(async () => {
            let total = 0;
            for (const name of await caches.keys()) {
              const cache = await caches.open(name);
              for (const request of await cache.keys())
                total += (await (await cache.match(request)).arrayBuffer()).byteLength;
            }
            return total; })()""")
        first_visit = sum(size for _, size in CountingHandler.sent)
        # A second visit with nothing changed: what the server sends.
        CountingHandler.sent = []
        game.browser.close_page()
        time.sleep(0.5)
        game.browser.open_page()
        game.load()
        game.js("navigator.serviceWorker.getRegistration().then((r) => r.update())")
        time.sleep(1)
        second = list(CountingHandler.sent)
        # Started with the server gone.
        server.shutdown()
        server.server_close()
        game.browser.send("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_DRAWN})
        starts = []
        for _ in range(5):
            game.browser.close_page()
            time.sleep(0.5)
            game.browser.open_page()
            game.browser.send("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_DRAWN})
            game.browser.navigate(url)
            game.browser.wait_for("window.qzFirstDrawnMs", 60, "the About box drawn offline")
            starts.append(game.js("qzFirstDrawnMs"))
    finally:
        game.close()
    print()
    print(f"{'bytes kept by the service worker':<44} {kept:>10}")
    print(f"{'bytes sent on the first visit':<44} {first_visit:>10}")
    print(f"{'bytes sent on a second visit, nothing changed':<44} "
          f"{sum(size for _, size in second):>10}   "
          f"({', '.join(f'{path} {size}' for path, size in second) or 'no file'}; goal 0 "
          "beyond the service worker's own check)")
    print(f"{'offline start to the About box drawn, ms':<44} {statistics.median(starts):>10.0f}"
          f"   (median of {len(starts)}: {', '.join(f'{s:.0f}' for s in starts)}; goal < 500)")


def main():
    folder = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-web")
    if not os.path.exists(os.path.join(folder, "sw.js")):
        print(f"{folder} holds no browser build: run tools/web/build.sh first")
        return 2
    shots = tempfile.mkdtemp(prefix="qz-touch-bench-")
    server = serve_counting(folder)
    try:
        tap_to_digit(f"http://127.0.0.1:{server.server_address[1]}/index.html", shots)
    finally:
        server.shutdown()
        server.server_close()
    offline(folder, shots)
    return 0


if __name__ == "__main__":
    sys.exit(main())
