#!/usr/bin/env python3
"""Draws the picture on the first and last pages of the game's installer: the launcher's twilight
landscape, in the 164 x 314 pixels that the installer's wizard shows beside its texts.

Usage: make_wizard_picture.py OUTPUT.bmp

The picture is drawn by the demo assets' own painter (tools/assets/make_assets.py), so that the
installer looks like the launcher it puts in place."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools",
                                "assets"))
from make_assets import Scene, render_scene, write_bmp  # noqa: E402

WIZARD = Scene(
    "wizard.bmp", 164, 314, 164, 314, seed=102,
    sky_top=(140, 150, 208), sky_horizon=(255, 214, 178), glow=(255, 236, 204),
    hills=[(180, 172, 210), (156, 148, 196), (138, 132, 184)], mist=(234, 224, 238),
    glow_centre=(0.55, 0.40), moon=(0.22, 0.12, 0.06),
    towers=[(0.70, 10, 46), (0.80, 7, 28)], motes=6)


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    write_bmp(argv[1], WIZARD.width, render_scene(WIZARD))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
