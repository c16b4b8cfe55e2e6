"""A small client of Chromium's DevTools protocol over --remote-debugging-pipe.

The browser reads commands on its file descriptor 3 and writes answers and events on 4, each
a JSON text ended by a NUL byte: no WebSocket library is needed.
"""

import base64
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time


class BrowserError(Exception):
    pass


def find_chromium():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    return None


class Browser:
    """Headless Chromium with a private profile; one page at a time."""

    def __init__(self, width=1280, height=800, scale=1, extra_args=(), mute=True):
        exe = find_chromium()
        if exe is None:
            raise BrowserError("Chromium is not installed")
        self.profile = tempfile.mkdtemp(prefix="qz-chromium-")
        to_browser_r, self._to_browser = os.pipe()
        self._from_browser, from_browser_w = os.pipe()
        args = [exe, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--disable-extensions",
                "--disable-background-timer-throttling", "--disable-renderer-backgrounding",
                "--remote-debugging-pipe", f"--user-data-dir={self.profile}",
                f"--window-size={width},{height}",
                f"--force-device-scale-factor={scale}", *(["--mute-audio"] if mute else []), *extra_args, "about:blank"]

        def wire_pipes():
            os.dup2(to_browser_r, 3)
            os.dup2(from_browser_w, 4)

        self.stderr = open(os.path.join(self.profile, "stderr.txt"), "wb")
        self.process = subprocess.Popen(args, pass_fds=(3, 4), preexec_fn=wire_pipes,
                                        stdin=subprocess.DEVNULL, stdout=self.stderr,
                                        stderr=self.stderr)
        os.close(to_browser_r)
        os.close(from_browser_w)
        self._next_id = 0
        self._lock = threading.Lock()
        self._answers = {}
        self._events = []
        self._cond = threading.Condition(self._lock)
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()
        self.session = None

    def _read(self):
        buffer = b""
        while True:
            try:
                chunk = os.read(self._from_browser, 1 << 16)
            except OSError:
                chunk = b""
            if not chunk:
                with self._cond:
                    self._closed = True
                    self._cond.notify_all()
                return
            buffer += chunk
            while b"\0" in buffer:
                raw, buffer = buffer.split(b"\0", 1)
                message = json.loads(raw)
                with self._cond:
                    if "id" in message:
                        self._answers[message["id"]] = message
                    else:
                        self._events.append(message)
                    self._cond.notify_all()

    def send(self, method, params=None, session=True, timeout=30):
        with self._cond:
            self._next_id += 1
            ident = self._next_id
        message = {"id": ident, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        with self._cond:
            while ident not in self._answers:
                left = deadline - time.monotonic()
                if left <= 0 or getattr(self, "_closed", False):
                    raise BrowserError(f"no answer to {method}")
                self._cond.wait(left)
            answer = self._answers.pop(ident)
        if "error" in answer:
            raise BrowserError(f"{method}: {answer['error'].get('message')}")
        return answer.get("result", {})

    def events(self, method):
        """The events of `method` received so far (kept)."""
        with self._cond:
            return [e["params"] for e in self._events if e.get("method") == method]

    def open_page(self):
        target = self.send("Target.createTarget", {"url": "about:blank"}, session=False)
        attached = self.send("Target.attachToTarget",
                             {"targetId": target["targetId"], "flatten": True}, session=False)
        self.session = attached["sessionId"]
        self.target = target["targetId"]
        self.send("Page.enable")
        self.send("Runtime.enable")

    def close_page(self, target=None):
        """Closes the page's tab (or tab `target`) as the user does; its pagehide and unload
        handlers run."""
        self.send("Target.closeTarget", {"targetId": target or self.target}, session=False)
        if target is None or target == self.target:
            self.session = None
            self.target = None

    def navigate(self, url):
        self.send("Page.navigate", {"url": url})

    def evaluate(self, expression, timeout=30):
        """The value of a JavaScript expression (awaited when it is a promise)."""
        result = self.send("Runtime.evaluate", {"expression": expression, "awaitPromise": True,
                                                "returnByValue": True}, timeout=timeout)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            text = details.get("exception", {}).get("description") or details.get("text")
            raise BrowserError(f"{expression[:60]}...: {text}")
        return result["result"].get("value")

    def wait_for(self, expression, seconds, what):
        deadline = time.monotonic() + seconds
        while True:
            value = self.evaluate(expression)
            if value:
                return value
            if time.monotonic() > deadline:
                raise BrowserError(f"timed out after {seconds} s waiting for {what}")
            time.sleep(0.1)

    def key(self, key, code=None, key_code=None, text=None):
        """One press and release of a key, as the keyboard would send it."""
        code = code or key
        down = {"type": "keyDown" if text else "rawKeyDown", "key": key, "code": code,
                "windowsVirtualKeyCode": key_code or 0, "nativeVirtualKeyCode": key_code or 0}
        if text:
            down["text"] = text
        self.send("Input.dispatchKeyEvent", down)
        self.send("Input.dispatchKeyEvent", {"type": "keyUp", "key": key, "code": code,
                                             "windowsVirtualKeyCode": key_code or 0,
                                             "nativeVirtualKeyCode": key_code or 0})

    def key_with_ctrl(self, key, code, key_code):
        ctrl = {"key": "Control", "code": "ControlLeft", "windowsVirtualKeyCode": 17}
        self.send("Input.dispatchKeyEvent", {"type": "rawKeyDown", "modifiers": 2, **ctrl})
        for kind in ("rawKeyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code,
                                                 "windowsVirtualKeyCode": key_code,
                                                 "modifiers": 2})
        self.send("Input.dispatchKeyEvent", {"type": "keyUp", **ctrl})

    def type_text(self, text):
        for ch in text:
            if ch.isdigit():
                self.key(ch, "Digit" + ch, ord(ch), ch)
            elif ch == "-":
                self.key("-", "Minus", 189, "-")
            elif ch.isascii() and ch.isalpha():
                self.key(ch, "Key" + ch.upper(), ord(ch.upper()), ch)
            else:  # a character no key of its own gives, as a keyboard layout or emoji key does
                self.key(ch, "", 0, ch)

    def insert_text(self, text):
        """Text committed by an input method, as Chinese or Japanese input gives it."""
        self.send("Input.insertText", {"text": text})

    def paste(self, text, origin):
        """Puts `text` on the clipboard and presses Ctrl+V."""
        self.send("Browser.grantPermissions", {"origin": origin, "permissions": [
            "clipboardReadWrite", "clipboardSanitizedWrite"]}, session=False)
        self.evaluate(f"navigator.clipboard.writeText({json.dumps(text)})")
        self.key_with_ctrl("v", "KeyV", 86)

    def click(self, x, y):
        """A left click at page coordinates (CSS pixels)."""
        self.send("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x + 1, "y": y})
        self.send("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y})
        for kind in ("mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y,
                                                   "button": "left", "clickCount": 1})

    def emulate_device(self, width, height, scale, mobile=True, touch=True):
        """The page's size in CSS pixels, its device pixel ratio, and a touch screen."""
        self.send("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile,
            "screenOrientation": {"type": "portraitPrimary" if height > width else
                                  "landscapePrimary", "angle": 0 if height > width else 90}})
        self.send("Emulation.setTouchEmulationEnabled", {"enabled": touch, "maxTouchPoints": 5})

    def touch(self, points, kind):
        """One touch event: `points` is a list of (x, y) in CSS pixels, one per finger."""
        self.send("Input.dispatchTouchEvent", {"type": kind, "touchPoints": [
            {"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)]})

    def tap(self, x, y):
        """A finger put down at page coordinates (CSS pixels) and lifted there."""
        self.touch([(x, y)], "touchStart")
        self.touch([], "touchEnd")

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", {"format": "png"})["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def close(self):
        try:
            self.send("Browser.close", session=False, timeout=5)
        except BrowserError:
            pass
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self._to_browser)
        self.stderr.close()
        shutil.rmtree(self.profile, ignore_errors=True)
