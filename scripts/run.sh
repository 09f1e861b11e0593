#!/usr/bin/env bash
# Builds the programs and the game's installer, and runs the demo under Wine as a player meets
# the game: the launcher from the game's disc (build/win64/disc) in a fresh Wine prefix, where the
# game is not installed yet. Its Install button runs the installer (setup.exe), whose last page
# starts the installed launcher; that launcher's Update Install runs the uninstaller.
#
#   scripts/run.sh [--installed] [--listen ADDRESS] [--port PORT]
#
#   --installed       start straight into the installed game instead: the installer runs
#                     silently (into the prefix the script keeps from run to run) and the game's
#                     shortcut, the setup tool without arguments, opens the installed launcher.
# With a display ($DISPLAY) the launcher opens there. Without one it opens on a virtual display
# that a web browser shows and operates: the script prints the address of that page, served on
# the loopback interface at port 6080, or the next free port when 6080 is taken.
#   --listen ADDRESS  serve the page on ADDRESS instead (0.0.0.0 for every interface). The page
#                     has no password: whoever reaches the address sees and operates the demo.
#   --port PORT       the first port to try instead of 6080.
# The script returns when the launcher and whatever it started have ended; Ctrl+C ends them
# earlier. Either way everything the script started ends with it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

listen=127.0.0.1
port=6080
installed=0
while (($# > 0)); do
    case $1 in
        --installed) installed=1; shift ;;
        --listen) listen=${2:?--listen needs an address}; shift 2 ;;
        --port) port=${2:?--port needs a number}; shift 2 ;;
        -h | --help) sed -n '2,/^set -euo/{/^set -euo/d;s/^# \{0,1\}//;p}' "$0"; exit 0 ;;
        *) echo "run.sh: unknown argument $1 (see run.sh --help)" >&2; exit 2 ;;
    esac
done
if [[ ! $port =~ ^[0-9]{1,5}$ ]] || ((10#$port < 1 || 10#$port > 65435)); then
    echo "run.sh: --port needs a number from 1 to 65435" >&2
    exit 2
fi
port=$((10#$port))

"$root/scripts/bootstrap.sh"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tavrin_disc

disc="$root/build/win64/disc"
state="$root/build/demo-wine"
mkdir -p "$state"
source "$root/scripts/lib/wine-env.sh"
source "$root/scripts/lib/browser-view.sh"
export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
# No Mono or Gecko installers, and no menu entries on this desktop for the game's shortcut.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

headless=0
[[ -z "${DISPLAY:-}" ]] && headless=1

stop() {
    trap - INT TERM HUP
    # Every Windows program of this prefix (the launcher, a setup dialog, the game) ends with the
    # server; each notices on its own, so wait until none is left before the display goes.
    "$WINESERVER" -k 2>/dev/null || true
    local waited=0
    while [[ -n "$(wine_env_prefix_processes "$WINEPREFIX")" ]] && ((waited++ < 100)); do
        sleep 0.1
    done
    wine_env_prefix_processes "$WINEPREFIX" | xargs -r kill -KILL 2>/dev/null || true
    if ((headless)); then
        browser_view_stop
        echo "The virtual display and its browser view have stopped."
    fi
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if ((headless)); then
    browser_view_start "$state/view" "$listen" "$port"
    # Nobody hears this machine: a silent sound device gives the audio dialog an output to list.
    wine_env_silent_sound "$state/home"
fi

if ((!installed)) && [[ -e "$WINEPREFIX" ]]; then
    echo "Removing the Wine prefix of the last run: the game is not installed in a fresh one..."
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
fi
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    echo "Creating the demo's Wine prefix in $WINEPREFIX..."
    "$WINE" wineboot -i >/dev/null 2>&1 || true
fi

if ((installed)); then
    echo "Installing the game silently from $disc"
    "$WINE" "$disc/setup.exe" /S &
    wait $! || { echo "run.sh: the installer failed" >&2; exit 1; }
    # The installer writes the game's key in the 32-bit view of the registry, as on Windows.
    location=$("$WINE" reg query 'HKLM\Software\Galdoris Interactive\Tavrin Demo\1.00' /v Location \
        /reg:32 | sed -n 's/^ *Location *REG_SZ *//p' | tr -d '\r')
    folder=$("$WINE" winepath -u "$location" | tr -d '\r')
    echo "Starting the installed Tavrin demo from $location"
else
    folder=$disc
    echo "Starting the Tavrin demo from its disc, $disc"
fi
if ((headless)); then
    if [[ $listen != 127.0.0.1 && $listen != ::1 && $listen != localhost ]]; then
        echo "Warning: the page is served on $listen without a password: whoever reaches it" \
            "sees and operates the demo."
    fi
    if ((BROWSER_VIEW_PORT != port)); then
        echo "Port $port is taken: the page is served on port $BROWSER_VIEW_PORT instead."
    fi
    echo "No display here: the demo runs on the virtual display $DISPLAY. Open this address in a"
    echo "web browser to see and use it:"
    echo
    echo "    $BROWSER_VIEW_URL"
    echo
    echo "Close the launcher, or press Ctrl+C here, to stop it."
fi
# The setup tool without arguments, as the disc's autorun and the game's shortcut start it, opens
# the launcher: the installed one, or without an installation the one beside it on the disc.
# Waiting in the background lets a signal reach the traps at once.
cd "$folder"
"$WINE" Config.exe &
wait $! || true
"$WINESERVER" -w &
wait $! || true
