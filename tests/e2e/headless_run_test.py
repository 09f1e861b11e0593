#!/usr/bin/env python3
"""The run command on a machine without a display, seen through a web browser: scripts/run.sh
--installed serves its virtual display to a page; headless Chromium opens the address it prints
and shows the launcher, a click on Audio in the page opens the audio dialog, and Ctrl+C then ends
the run with everything it started: Wine, the VNC server, websockify and Xvfb.

Usage: headless_run_test.py SOURCE_FOLDER WINDOWS_BUILD_FOLDER

What the page shows is compared with what the driver sees of the same window on the run's display:
the run's Wine prefix is the one run.sh keeps in build/demo-wine. The VNC picture may be
compressed with loss, so the two agree within a small mean difference, far below that between
two different windows."""

import os
import re
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest

SOURCE, WINDOWS_BUILD = (os.path.abspath(folder) for folder in sys.argv[1:3])
sys.path[:0] = [os.path.join(SOURCE, "tools", "tour"), os.path.dirname(__file__)]

from browser import Browser  # noqa: E402
from driver_client import Driver, wait_until  # noqa: E402
from pictures import read_bmp  # noqa: E402
from tour import resource_id  # noqa: E402

# The run builds what is missing and makes its Wine prefix on first use.
START_WAIT = 480.0
WINDOW_WAIT = 120.0

DEFAULT_PORT = 6080

# Mean difference per colour channel, 0 to 255, between the page and the window.
SAME_PICTURE = 10.0


def mean_difference(page, window, left, top):
    """Of the window's picture and the page's at (left, top), every other pixel both ways."""
    total = count = 0
    for y in range(0, window.height, 2):
        if not 0 <= top + y < page.height:
            return 255.0
        page_row, window_row = page.rows[top + y], window.rows[y]
        for x in range(0, window.width, 2):
            if not 0 <= left + x < page.width:
                return 255.0
            i, j = 3 * (left + x), 3 * x
            total += (abs(page_row[i] - window_row[j]) + abs(page_row[i + 1] - window_row[j + 1])
                      + abs(page_row[i + 2] - window_row[j + 2]))
            count += 3
    return total / count


def processes_with(mark):
    """Process ids whose environment holds `mark`: everything the run started inherits it."""
    found = []
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/environ", "rb") as environ:
                if mark.encode() in environ.read().split(b"\0"):
                    found.append(int(name))
        except OSError:
            pass  # gone, or a zombie
    return found


def describe(pids):
    lines = []
    for pid in pids:
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                command = cmdline.read().replace(b"\0", b" ").decode("utf-8", "replace")
            lines.append(f"{pid} {command}")
        except OSError:
            lines.append(f"{pid} (gone)")
    return "\n".join(lines)


class Run:
    """scripts/run.sh started as from a terminal without a display: in a process group of its own
    that receives Ctrl+C as a whole; its output is collected as it comes."""

    def __init__(self, mark):
        environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WINEPREFIX")}
        environment["TAVRIN_HEADLESS_TEST"] = mark.split("=", 1)[1]
        # Straight into the installed game, whose launcher's setup buttons all work.
        self.process = subprocess.Popen([os.path.join(SOURCE, "scripts", "run.sh"), "--installed"],
                                        env=environment, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                        start_new_session=True)
        self.output = ""
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        with self.process.stdout:
            for line in self.process.stdout:
                self.output += line.decode("utf-8", "replace")

    def found(self, pattern):
        match = re.search(pattern, self.output, re.MULTILINE)
        if match is None and self.process.poll() is not None:
            raise RuntimeError(f"run.sh ended ({self.process.returncode}):\n{self.output}")
        return match

    def interrupt(self):
        """Ctrl+C in the terminal: SIGINT to the whole foreground process group."""
        os.killpg(self.process.pid, signal.SIGINT)

    def end(self):
        if self.process.poll() is None:
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait()
        self._reader.join(timeout=10)


class HeadlessRunTest(unittest.TestCase):
    def setUp(self):
        # The default port is taken, by this test or by something else: the run takes another.
        self.taken = socket.socket()
        self.addCleanup(self.taken.close)
        self.taken.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        try:
            self.taken.bind(("127.0.0.1", DEFAULT_PORT))
            self.taken.listen()
        except OSError:
            pass
        self.mark = f"TAVRIN_HEADLESS_TEST={os.getpid()}-{time.monotonic_ns()}"
        self.run_ = Run(self.mark)
        self.addCleanup(self.leave_nothing)

    def leave_nothing(self):
        """A failed test leaves nothing running either."""
        self.run_.end()
        for pid in processes_with(self.mark):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass

    def window_on_screen(self, display, title, size):
        """(left, top) of the X window of that title and size on the run's display."""
        environment = dict(os.environ, DISPLAY=display)
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                "^" + re.escape(title) + "$"], env=environment,
                               capture_output=True, text=True).stdout.split()
        for window in found:
            geometry = dict(line.split("=", 1) for line in subprocess.run(
                ["xdotool", "getwindowgeometry", "--shell", window], env=environment,
                capture_output=True, text=True, check=True).stdout.split())
            if (int(geometry["WIDTH"]), int(geometry["HEIGHT"])) == size:
                return int(geometry["X"]), int(geometry["Y"])
        return None

    def test_browser_shows_and_operates_the_launcher_and_ctrl_c_ends_everything(self):
        found = wait_until(lambda: self.run_.found(
            r"virtual display (:\d+)\.(?:.|\n)*?^\s*(http://\S+)\s*$"), START_WAIT,
            "run.sh printed no address")
        display, address = found.group(1), found.group(2)
        self.assertRegex(address, r"^http://localhost:\d+/vnc\.html\?autoconnect=1&resize=scale$")
        self.assertNotIn(f":{DEFAULT_PORT}/", address)
        self.assertIn(f"Port {DEFAULT_PORT} is taken", self.run_.output)

        demo = dict(os.environ, DISPLAY=display, WINEDEBUG="-all",
                    WINEPREFIX=os.path.join(SOURCE, "build", "demo-wine", "prefix"))
        shots = tempfile.TemporaryDirectory()
        self.addCleanup(shots.cleanup)
        shot_path = os.path.join(shots.name, "window.bmp")
        width, height = (int(value) for value in subprocess.run(
            ["xdotool", "getdisplaygeometry"], env=demo, capture_output=True, text=True,
            check=True).stdout.split())
        with Driver(os.path.join(WINDOWS_BUILD, "tools", "driver", "driver.exe"), env=demo) \
                as driver, Browser(width, height) as browser:

            def shown_in_page(control):
                """Waits until the page shows the dialog holding that control as the driver sees
                it on the display; the dialog's handle and its client origin on the canvas."""
                handle, title = wait_until(lambda: driver.dialog_with(control), WINDOW_WAIT,
                                           f"no dialog with control {control}")
                size = driver.client_size(handle)
                origin = wait_until(lambda: self.window_on_screen(display, title, size),
                                    WINDOW_WAIT, f"no X window of {title}")
                differences = []

                def same():
                    driver.screenshot(handle, shot_path)
                    with open(shot_path, "rb") as bmp:
                        window = read_bmp(bmp.read())
                    canvas = browser.evaluate(
                        "(() => { const c = document.querySelector('#noVNC_container canvas');"
                        " if (!c || !c.width) return null; const r = c.getBoundingClientRect();"
                        " return [r.left, r.top, r.width / c.width]; })()")
                    if not canvas:
                        return None
                    left, top, scale = canvas
                    self.assertEqual(scale, 1, "the page scales the display")
                    at = (round(left) + origin[0], round(top) + origin[1])
                    differences.append(mean_difference(browser.screenshot(), window, *at))
                    return at if differences[-1] < SAME_PICTURE else None

                try:
                    return handle, wait_until(same, WINDOW_WAIT, f"the page showed no {title}")
                except TimeoutError as error:
                    raise AssertionError(f"{error}; the last mean differences were "
                                         f"{differences[-5:]}\n{self.run_.output}") from None

            browser.open(address)
            launcher, at = shown_in_page(resource_id("IDC_AUDIO"))
            left, top, button_width, button_height = driver.controls(launcher)[
                resource_id("IDC_AUDIO")]
            browser.click(at[0] + left + button_width // 2, at[1] + top + button_height // 2)
            shown_in_page(resource_id("IDC_TEST_SOUND"))

        self.run_.interrupt()
        try:
            self.run_.process.wait(timeout=120)
        except subprocess.TimeoutExpired:
            self.fail(f"run.sh did not end after Ctrl+C:\n{self.run_.output}")
        left_behind = processes_with(self.mark)
        self.assertEqual(left_behind, [], f"left running:\n{describe(left_behind)}")
        self.assertIn("have stopped", self.run_.output)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
