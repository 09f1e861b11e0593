#!/usr/bin/python3
"""A picture tour of the demo installation: the launcher and the three setup dialogs in each of the
five languages, as the programs draw them, saved by the project's own test driver.

Usage: tour.py WINDOWS_BUILD_FOLDER OUTPUT_FOLDER

Needs a Wine environment of its own (WINE, WINEPREFIX, DISPLAY: scripts/lib/wine-env.sh), which
scripts/tour.sh sets up. Writes OUTPUT_FOLDER/<language>/<window>.png, languages en fr de it es,
windows launcher graphics audio controls: each the client area of its window. Then the English
set once more on a display of 144 DPI (150 %), in OUTPUT_FOLDER/en-144dpi: Wine takes the DPI
from LogPixels when a program starts, so the tour sets it for those windows and puts the old
value back.

The demo installation is copied to a temporary folder and named by the game's registry key while
the tour runs. The language reaches every window through the settings file: the launcher takes
its language from a valid file, and a setup dialog, though started with the language number too,
takes the file's at every repaint."""

import contextlib
import io
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from driver_client import Driver, wait_until, windows_path  # noqa: E402

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

# In the order of the programs' language numbers.
LANGUAGES = ["en", "fr", "de", "it", "es"]

GAME_KEY = "Software\\Galdoris Interactive\\Tavrin Demo\\1.00"

# The set on a scaled display: English at 150 %.
SCALED_DPI = 144
SCALED_FOLDER = "en-144dpi"
DESKTOP_KEY = "Control Panel\\Desktop"

# Direct3D takes its time the first time a process uses it under Wine.
WINDOW_WAIT = 90.0


def resource_id(name):
    """A control id from the programs' own resource header, or Windows' own IDOK and IDCANCEL."""
    windows_own = {"IDOK": 1, "IDCANCEL": 2}
    if name in windows_own:
        return windows_own[name]
    with open(os.path.join(SOURCE, "resources", "resource_ids.h"), encoding="utf-8") as header:
        found = re.search(rf"^#define {name} (\d+)$", header.read(), re.MULTILINE)
    if not found:
        raise LookupError(f"{name} is not in resources/resource_ids.h")
    return int(found.group(1))


class Window:
    """One window of the tour: the program and arguments that open it, a control only that window
    has, by which it is told apart from any other dialog whatever its language, and the button
    that closes it. A setup dialog fills its lists after its first paint, and enables its OK
    button then: the picture waits for it."""

    def __init__(self, name, program, mode, control, close):
        self.name, self.program, self.mode = name, program, mode
        self.control, self.close = control, close

    def arguments(self, language):
        return [self.mode, str(language)] if self.mode else []


WINDOWS = [
    Window("launcher", "TavrinConfig.exe", None, "IDC_AUDIO", "IDC_CLOSE"),
    Window("graphics", "Config.exe", "graphics", "IDC_RESOLUTION_LIST", "IDCANCEL"),
    Window("audio", "Config.exe", "sound", "IDC_TEST_SOUND", "IDCANCEL"),
    Window("controls", "Config.exe", "control", "IDC_BIND_LEFT", "IDC_CONTROL_CANCEL"),
]


def settings_file(language):
    """A valid 172-byte settings file as the launcher writes it when a language is chosen before
    any setup: version 2.1, default bindings, everything else zero."""
    keyboard = [242, 244, 239, 247, 68, 81, 95, 83, 84]
    controller = [33, 33, 34, 34, 2, 3, 1, 4, 5]
    data = bytearray(172)
    data[0:4] = struct.pack("<f", 2.1)
    struct.pack_into("<9i", data, 80, *keyboard)
    struct.pack_into("<i", data, 116, 39)
    struct.pack_into("<9i", data, 124, *controller)
    struct.pack_into("<i", data, 168, language)
    return bytes(data)


def park_pointer():
    """Puts the mouse pointer in the screen's far corner, where no tooltip shows on a control."""
    width, height = subprocess.run(["xdotool", "getdisplaygeometry"], check=True,
                                   capture_output=True, text=True).stdout.split()
    subprocess.run(["xdotool", "mousemove", str(int(width) - 1), str(int(height) - 1)],
                   check=True)


class Tour:
    """The demo installation copied to a temporary folder and named by the game's registry key
    for as long as the object is open; the key and the copy go when it closes."""

    def __init__(self, windows_build):
        self.windows_build = os.path.abspath(windows_build)
        self.wine = os.environ.get("WINE", "/usr/lib/wine/wine64")

    def __enter__(self):
        self.scratch = tempfile.mkdtemp(prefix="tavrin-tour-")
        self.installation = os.path.join(self.scratch, "Tavrin Demo")
        try:
            shutil.copytree(os.path.join(self.windows_build, "demo"), self.installation)
            self.driver = Driver(os.path.join(self.windows_build, "tools", "driver", "driver.exe"))
        except BaseException:
            shutil.rmtree(self.scratch, ignore_errors=True)
            raise
        try:
            self.driver.set_registry_text("HKLM", GAME_KEY, "Location",
                                          windows_path(self.installation))
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exception):
        try:
            self.driver.delete_registry_key("HKLM", GAME_KEY)
        finally:
            self.driver.close()
            shutil.rmtree(self.scratch, ignore_errors=True)

    def use_language(self, number):
        with open(os.path.join(self.installation, "tavrin.dat"), "wb") as settings:
            settings.write(settings_file(number))

    def take_all(self, output):
        """Every window in every language into output/<language>/<window>.png, and the English
        ones at 144 DPI into output/en-144dpi."""
        for number, language in enumerate(LANGUAGES):
            self.take_set(output, language, number)
        with self.display_dpi(SCALED_DPI):
            self.take_set(output, SCALED_FOLDER, 0)

    def take_set(self, output, folder, language):
        """The four windows in one language into output/<folder>/<window>.png."""
        self.use_language(language)
        os.makedirs(os.path.join(output, folder), exist_ok=True)
        for window in WINDOWS:
            with self.opened(window, language) as (handle, title):
                shot = self.painted(handle)
                shot.save(os.path.join(output, folder, window.name + ".png"), optimize=True)
                print(f"{folder} {window.name:9} {shot.width} x {shot.height}  {title}",
                      flush=True)

    @contextlib.contextmanager
    def display_dpi(self, dpi):
        """The programs started inside run on a display of `dpi`; the prefix's own DPI comes
        back afterwards."""
        previous = self.driver.registry_value("HKCU", DESKTOP_KEY, "LogPixels")
        self.driver.set_registry_number("HKCU", DESKTOP_KEY, "LogPixels", dpi)
        try:
            yield
        finally:
            if previous is None:
                self.driver.delete_registry_value("HKCU", DESKTOP_KEY, "LogPixels")
            else:
                self.driver.set_registry_number("HKCU", DESKTOP_KEY, "LogPixels", int(previous))

    @contextlib.contextmanager
    def opened(self, window, language):
        """Starts the window's program with the pointer out of the way and gives the window's
        (handle, title); closes it with its button afterwards, as a user would."""
        park_pointer()
        program = subprocess.Popen(
            [self.wine, os.path.join(self.installation, window.program)] +
            window.arguments(language), cwd=self.installation, stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            control = resource_id(window.control)

            def shown():
                if program.poll() is not None:
                    raise RuntimeError(f"{window.program} ended ({program.returncode}) before "
                                       f"its {window.name} window showed")
                return self.driver.dialog_with(control)

            handle, title = wait_until(shown, WINDOW_WAIT, f"no {window.name} window")
            if window.mode:
                wait_until(lambda: self.driver.enabled(handle, resource_id("IDOK")), WINDOW_WAIT,
                           f"the {window.name} window did not get ready")
            yield handle, title
            self.driver.click(handle, resource_id(window.close))
            program.wait(timeout=30)
        finally:
            if program.poll() is None:
                program.kill()
                program.wait()

    def painted(self, handle):
        """The client area once two pictures in a row agree: the dialog and all its controls have
        painted."""
        bmp = os.path.join(self.scratch, "shot.bmp")
        last = None

        def settled():
            nonlocal last
            self.driver.screenshot(handle, bmp)
            with open(bmp, "rb") as shot:
                data = shot.read()
            same, last = data == last, data
            return Image.open(io.BytesIO(data)) if same else None

        return wait_until(settled, 30, "the window did not settle")


def main(arguments):
    if len(arguments) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    windows_build, output = arguments
    with Tour(windows_build) as tour:
        tour.take_all(os.path.abspath(output))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
