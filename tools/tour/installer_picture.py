#!/usr/bin/env python3
"""A picture of the game's installer for the README: setup.exe from the demo disc, started as a
player starts it, its first page saved as the tour saves the programs' windows (the client area,
through the project's test driver), then cancelled as a player would.

Usage: installer_picture.py WINDOWS_BUILD_FOLDER OUTPUT.png

Needs a Wine environment of its own (WINE, WINEPREFIX, DISPLAY: scripts/lib/wine-env.sh), which
scripts/tour.sh sets up. The installer speaks English there: the picture's process runs in an
English locale."""

import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from driver_client import Driver, wait_until  # noqa: E402
from pictures import read_bmp, write_png  # noqa: E402

TITLE = "Tavrin Demo Setup"
IDCANCEL, IDYES = 2, 6
WAIT = 60.0


def main(arguments):
    if len(arguments) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    windows_build, output = (os.path.abspath(argument) for argument in arguments)
    disc = os.path.join(windows_build, "disc")
    wine = os.environ.get("WINE", "/usr/lib/wine/wine64")
    english = dict(os.environ, LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8")
    shot = output + ".bmp"
    with Driver(os.path.join(windows_build, "tools", "driver", "driver.exe")) as driver:
        setup = subprocess.Popen([wine, os.path.join(disc, "setup.exe")], cwd=disc, env=english,
                                 stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        try:
            window = driver.call("find-window", TITLE, int(WAIT * 1000), timeout=WAIT)[0][1]
            last = None

            def settled():
                # Two pictures in a row alike: the page and all its controls have painted.
                nonlocal last
                driver.screenshot(window, shot)
                with open(shot, "rb") as bmp:
                    data = bmp.read()
                same, last = data == last, data
                return read_bmp(data) if same else None

            picture = wait_until(settled, 30, "the installer's page did not settle")
            with open(output, "wb") as png:
                png.write(write_png(picture))
            print(f"installer  {picture.width} x {picture.height}  {TITLE}", flush=True)

            # Cancel asks whether to quit; yes.
            driver.call("post-command", window, IDCANCEL)
            box = driver.call("find-message-box", 0, int(WAIT * 1000), timeout=WAIT)[0][1]
            driver.call("answer", box, IDYES)
            setup.wait(timeout=30)
        finally:
            if os.path.exists(shot):
                os.remove(shot)
            if setup.poll() is None:
                setup.kill()
                setup.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
