"""Headless Chromium for the end-to-end tests, driven over the DevTools protocol through a pipe
(--remote-debugging-pipe): JSON messages ended by a zero byte, no port and no extra package."""

import base64
import fcntl
import json
import os
import select
import shutil
import subprocess
import tempfile
import time

from pictures import read_png

# As root in a container with no network but the page's: no sandbox, no GPU, and none of the
# browser's own connections, which a closed network refuses.
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--remote-debugging-pipe"]


class Browser:
    def __init__(self, width, height, program="chromium"):
        self._profile = tempfile.mkdtemp(prefix="tavrin-browser-")
        commands_read, self._commands = os.pipe()
        self._answers, answers_write = os.pipe()
        # The browser reads commands from descriptor 3 and answers on 4; copies above both keep
        # the pipes' own numbers from colliding with them while they are put in place.
        high = [fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 10) for fd in (commands_read, answers_write)]
        os.close(commands_read)
        os.close(answers_write)

        def place_pipes():
            os.dup2(high[0], 3)
            os.dup2(high[1], 4)

        self._log = tempfile.TemporaryFile()
        try:
            self._process = subprocess.Popen(
                [program, *FLAGS, f"--user-data-dir={self._profile}",
                 f"--window-size={width},{height}", "about:blank"],
                pass_fds=(3, 4), preexec_fn=place_pipes, stdin=subprocess.DEVNULL,
                stdout=self._log, stderr=self._log)
        finally:
            for fd in high:
                os.close(fd)
        self._received = b""
        self._last_id = 0
        try:
            pages = [target for target in self._call("Target.getTargets")["targetInfos"]
                     if target["type"] == "page"]
            self._session = self._call("Target.attachToTarget", targetId=pages[0]["targetId"],
                                       flatten=True)["sessionId"]
            self._call("Emulation.setDeviceMetricsOverride", self._session, width=width,
                       height=height, deviceScaleFactor=1, mobile=False)
        except BaseException:
            self.close()
            raise

    def close(self):
        if self._process.poll() is None:
            self._process.terminate()
            try:
                self._process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        for fd in (self._commands, self._answers):
            try:
                os.close(fd)
            except OSError:
                pass
        self._log.close()
        shutil.rmtree(self._profile, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def open(self, url):
        self._call("Page.navigate", self._session, url=url)

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page, as JSON brings it over."""
        result = self._call("Runtime.evaluate", self._session, expression=expression,
                            returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def screenshot(self):
        shot = self._call("Page.captureScreenshot", self._session, format="png")
        return read_png(base64.b64decode(shot["data"]))

    def click(self, x, y):
        """A left click at page point (x, y), with the pointer moving there first as a mouse
        does."""
        self._call("Input.dispatchMouseEvent", self._session, type="mouseMoved", x=x, y=y)
        for kind in ("mousePressed", "mouseReleased"):
            self._call("Input.dispatchMouseEvent", self._session, type=kind, x=x, y=y,
                       button="left", clickCount=1)

    def _call(self, method, session=None, timeout=60.0, **params):
        self._last_id += 1
        message = {"id": self._last_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self._commands, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            answer = json.loads(self._read_message(deadline, method))
            if answer.get("id") != self._last_id:
                continue  # an event, or the answer to nothing we still wait for
            if "error" in answer:
                raise RuntimeError(f"{method}: {answer['error']}")
            return answer["result"]

    def _read_message(self, deadline, method):
        while b"\0" not in self._received:
            ready, _, _ = select.select([self._answers], [], [],
                                        max(deadline - time.monotonic(), 0))
            chunk = os.read(self._answers, 1 << 20) if ready else b""
            if not chunk:
                self._log.seek(0)
                log = self._log.read().decode("utf-8", "replace")[-3000:]
                raise RuntimeError(f"{method}: the browser did not answer\n{log}")
            self._received += chunk
        message, self._received = self._received.split(b"\0", 1)
        return message
