#!/usr/bin/env bash
# Builds the programs and runs the demo installation under Wine: the setup tool started without
# arguments, as the game's shortcut starts it, which opens the launcher. The window opens on the
# user's display ($DISPLAY), or on a virtual one (Xvfb) when there is none; the script returns
# when the launcher and whatever it started have ended.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/bootstrap.sh"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tavrin_demo

demo="$root/build/win64/demo"
state="$root/build/demo-wine"
mkdir -p "$state"
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

xvfb_pid=""
if [[ -z "${DISPLAY:-}" ]]; then
    source "$root/scripts/lib/wine-env.sh"
    display=$(wine_env_free_display)
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    export DISPLAY=":$display"
    until [[ -e /tmp/.X11-unix/X$display ]]; do sleep 0.1; done
    echo "No display: the demo runs on the virtual display $DISPLAY."
fi

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Creating the demo's Wine prefix in $WINEPREFIX (once)..."
    "$wine" wineboot -i >/dev/null 2>&1 || true
fi

# The game's installer is a 32-bit program: its key lives in the 32-bit view of the registry.
"$wine" reg add 'HKLM\Software\Galdoris Interactive\Tavrin Demo\1.00' /v Location \
    /d "Z:${demo//\//\\}" /f /reg:32 >/dev/null

echo "Starting the Tavrin demo from $demo"
cd "$demo"
"$wine" Config.exe
"$wineserver" -w
