#!/usr/bin/python3
"""The run command on a machine without a display, seen through a web browser: scripts/run.sh
--installed serves its virtual display to a page, which headless Chromium opens (through Selenium)
at the address the run prints. The page shows the launcher framed by Wine's virtual desktop, its
title bar drawn; dragged by that bar the launcher moves; a click on Audio in the page opens the
audio dialog, which Escape typed into the page closes; and Ctrl+C then ends the run with
everything it started: Wine, the VNC server, websockify and Xvfb.

Usage: headless_run_test.py SOURCE_FOLDER WINDOWS_BUILD_FOLDER

What the page shows is compared with what the driver sees of the same window on the run's display:
the run's Wine prefix is the one run.sh keeps in build/demo-wine, and the driver, a program of
that prefix, runs in the same virtual desktop. The VNC picture may be compressed with loss, so the
two agree within a small mean difference, far below that between two different windows."""

import io
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

from PIL import Image, ImageChops, ImageStat
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.keys import Keys

SOURCE, WINDOWS_BUILD = (os.path.abspath(folder) for folder in sys.argv[1:3])
sys.path.insert(0, os.path.join(SOURCE, "tools", "tour"))

from driver_client import Driver, wait_until  # noqa: E402
from tour import resource_id  # noqa: E402

# The run builds what is missing and makes its Wine prefix on first use.
START_WAIT = 480.0
WINDOW_WAIT = 120.0

DEFAULT_PORT = 6080

# Mean difference per colour channel, 0 to 255, between the page and the window.
SAME_PICTURE = 10.0

# Debian's browser and its driver, named outright, and Selenium kept offline: it neither looks
# for nor downloads a browser or driver of its own.
CHROMIUM, CHROMEDRIVER = "/usr/bin/chromium", "/usr/bin/chromedriver"
os.environ["SE_OFFLINE"] = "true"
# As root in a container whose only network is the page's: no sandbox, no GPU, no small /dev/shm,
# and none of the browser's own connections. A fresh profile each time.
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                  "--no-first-run", "--disable-background-networking", "--disable-quic",
                  "--disable-component-update", "--disable-sync"]

# The system colours of a caption bar, active and inactive, and of its text (GetSysColor): with
# no window manager to give it the X focus, the first window may stay drawn inactive.
CAPTION_COLOURS = [(2, 9), (3, 19)]
# A caption bar's rows above the client area, and how far VNC may shift a colour per channel.
CAPTION_ROWS = 14
NEAR = 12
# A title is letters: at least this many pixels in the caption's text colour.
TITLE_PIXELS = 40


def headless_chromium(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in CHROMIUM_FLAGS + [f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    return webdriver.Chrome(service=Service(executable_path=CHROMEDRIVER), options=options)


def screenshot(browser):
    return Image.open(io.BytesIO(browser.get_screenshot_as_png())).convert("RGB")


def pointer(browser, *path):
    """The mouse moved through the page points of `path`, its left button held from the first to
    the last: a click where the path is one point, a drag otherwise."""
    actions = ActionBuilder(browser)
    actions.pointer_action.move_to_location(*path[0]).pointer_down()
    for point in path[1:]:
        actions.pointer_action.move_to_location(*point)
    actions.pointer_action.pointer_up()
    actions.perform()


def mean_difference(page, window, left, top):
    """Of the window's picture and the page's at (left, top); the page is black beyond its edge."""
    shown = page.crop((left, top, left + window.width, top + window.height))
    return sum(ImageStat.Stat(ImageChops.difference(shown, window)).mean) / 3


def near(colour, wanted):
    return all(abs(a - b) <= NEAR for a, b in zip(colour, wanted))


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

    def test_browser_shows_and_operates_framed_windows_and_ctrl_c_ends_everything(self):
        found = wait_until(lambda: self.run_.found(
            r"virtual display (:\d+)\.(?:.|\n)*?^\s*(http://\S+)\s*$"), START_WAIT,
            "run.sh printed no address")
        display, address = found.group(1), found.group(2)
        self.assertRegex(address, r"^http://localhost:\d+/vnc\.html\?autoconnect=1&resize=scale$")
        self.assertNotIn(f":{DEFAULT_PORT}/", address)
        self.assertIn(f"Port {DEFAULT_PORT} is taken", self.run_.output)

        demo = dict(os.environ, DISPLAY=display, WINEDEBUG="-all",
                    WINEPREFIX=os.path.join(SOURCE, "build", "demo-wine", "prefix"))
        scratch = tempfile.TemporaryDirectory()
        self.addCleanup(scratch.cleanup)
        shot_path = os.path.join(scratch.name, "window.bmp")
        width, height = (int(value) for value in subprocess.run(
            ["xdotool", "getdisplaygeometry"], env=demo, capture_output=True, text=True,
            check=True).stdout.split())
        driver = Driver(os.path.join(WINDOWS_BUILD, "tools", "driver", "driver.exe"), env=demo)
        self.addCleanup(driver.close)
        browser = headless_chromium(os.path.join(scratch.name, "profile"))
        self.addCleanup(browser.quit)
        # One page pixel for each pixel of the display, the page as large as the display.
        browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})

        def client_origin(handle):
            return tuple(int(value) for value in driver.call("client-origin", handle)[0][1:3])

        def shown_in_page(control):
            """Waits until the page shows the dialog holding that control as the driver sees it on
            the display; the dialog's handle and its client origin in the page."""
            handle, title = wait_until(lambda: driver.dialog_with(control), WINDOW_WAIT,
                                       f"no dialog with control {control}")
            differences = []

            def same():
                driver.screenshot(handle, shot_path)
                window = Image.open(shot_path).convert("RGB")
                canvas = browser.execute_script(
                    "const c = document.querySelector('#noVNC_container canvas');"
                    " if (!c || !c.width) return null; const r = c.getBoundingClientRect();"
                    " return [r.left, r.top, r.width / c.width];")
                if not canvas:
                    return None
                left, top, scale = canvas
                self.assertEqual(scale, 1, "the page scales the display")
                origin = client_origin(handle)
                at = (round(left) + origin[0], round(top) + origin[1])
                differences.append(mean_difference(screenshot(browser), window, *at))
                return at if differences[-1] < SAME_PICTURE else None

            try:
                return handle, wait_until(same, WINDOW_WAIT, f"the page showed no {title}")
            except TimeoutError as error:
                raise AssertionError(f"{error}; the last mean differences were "
                                     f"{differences[-5:]}\n{self.run_.output}") from None

        def title_drawn(at, client_width):
            """Whether the rows above the client area at `at` in the page are a caption bar, active
            or inactive, in the system's colour, with letters in the caption's text colour in its
            left half, where the title stands (the buttons stand at the right)."""
            bar = screenshot(browser).crop((at[0], at[1] - CAPTION_ROWS,
                                            at[0] + client_width // 2, at[1] - 1))
            colours = bar.getcolors(bar.width * bar.height)
            for caption, text in CAPTION_COLOURS:
                caption, text = (tuple(int(value) for value in
                                       driver.call("system-colour", index)[0][1:4])
                                 for index in (caption, text))
                if (sum(count for count, colour in colours if near(colour, caption)) >
                        bar.width * bar.height // 2 and
                        sum(count for count, colour in colours if near(colour, text)) >
                        TITLE_PIXELS):
                    return True
            return False

        browser.get(address)
        audio = resource_id("IDC_AUDIO")
        launcher, at = shown_in_page(audio)
        client_width = driver.client_size(launcher)[0]
        self.assertTrue(title_drawn(at, client_width), "no title bar over the launcher")

        # Dragged by its title bar, the launcher follows the pointer.
        before = client_origin(launcher)
        grip = (at[0] + client_width // 2, at[1] - CAPTION_ROWS // 2)
        pointer(browser, grip, (grip[0] - 60, grip[1] - 40), (grip[0] - 120, grip[1] - 80))
        wait_until(lambda: client_origin(launcher) == (before[0] - 120, before[1] - 80),
                   WINDOW_WAIT, "the launcher did not follow its title bar")
        launcher, at = shown_in_page(audio)

        left, top, button_width, button_height = driver.controls(launcher)[audio]
        pointer(browser, (at[0] + left + button_width // 2, at[1] + top + button_height // 2))
        test_sound = resource_id("IDC_TEST_SOUND")
        shown_in_page(test_sound)
        # The keyboard reaches the dialog too: Escape cancels it.
        ActionChains(browser).send_keys(Keys.ESCAPE).perform()
        wait_until(lambda: driver.dialog_with(test_sound) is None, WINDOW_WAIT,
                   "Escape left the audio dialog open")

        driver.close()  # the test's own program in the run's prefix goes before Ctrl+C
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
