#!/usr/bin/env bash
# Runs a Windows program of the win32 build under 32-bit Wine (scripts/install-wine32.sh): the
# emulator CTest uses for the Windows-side tests. scripts/test.sh prepares the environment; run by
# hand, it needs a 32-bit WINEPREFIX and DISPLAY (see wine_env_use_32bit in scripts/lib/wine-env.sh).
exec "${TAVRIN_WINE32:-/opt/tavrin-wine32}/wine" "$@"
