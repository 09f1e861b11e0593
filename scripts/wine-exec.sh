#!/usr/bin/env bash
# Runs a Windows program of the win64 build under Wine: the emulator CTest uses for the
# Windows-side tests. scripts/test.sh prepares the environment; run by hand, it needs WINEPREFIX
# and DISPLAY (see scripts/lib/wine-env.sh).
exec "${WINE:-/usr/lib/wine/wine64}" "$@"
