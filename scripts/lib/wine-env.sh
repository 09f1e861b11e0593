# Sourced by the test and run scripts: a Wine environment of its own for one run.
#
#   wine_env_start <folder> [screen]   Xvfb on a free display (unless DISPLAY is given and
#                                      TAVRIN_USE_DISPLAY=1), a fresh WINEPREFIX in <folder>,
#                                      two ALSA null devices so that DirectSound lists two
#                                      outputs, and a persistent wineserver
#   wine_env_stop                      ends the wineserver and the Xvfb started here
#   wine_env_start_xvfb <folder> [screen] [own session: 0 or 1]
#                                      only the Xvfb, its log in <folder>; exports DISPLAY. In a
#                                      session of its own the terminal's Ctrl+C reaches only the
#                                      script, which can end the programs on the display first
#   wine_env_silent_sound <home>       only the ALSA null devices; exports HOME
#   wine_env_prefix_processes <prefix> the Wine processes running with that prefix
#   wine_env_use_32bit                 the Wine started afterwards is the 32-bit one of
#                                      scripts/install-wine32.sh, in a 32-bit prefix (call it
#                                      before wine_env_start)
#
# Exported for the programs started afterwards: WINE, WINEPREFIX, WINEDEBUG, DISPLAY, HOME.

WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINE WINESERVER

wine_env_start_xvfb() {
    local folder=$1 screen=${2:-1280x1024x24} session=()
    [[ ${3:-0} == 1 ]] && session=(setsid)
    # Xvfb picks the first free display itself and says which (-displayfd): two runs that start at
    # the same moment can never end up sharing one display.
    local display="" waited=0
    mkdir -p "$folder"
    rm -f "$folder/display"
    "${session[@]}" Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$folder/display" \
        >"$folder/xvfb.log" 2>&1 &
    WINE_ENV_XVFB_PID=$!
    until [[ -n "$display" && -e /tmp/.X11-unix/X$display ]]; do
        sleep 0.1
        display=$(head -n 1 "$folder/display" 2>/dev/null || true)
        if ((++waited > 100)) || ! kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null; then
            echo "Xvfb did not start" >&2
            return 1
        fi
    done
    export DISPLAY=":$display"
}

# An ALSA null device as the default output, so that DirectSound lists one even on a machine
# without a sound card. ALSA reads ~/.asoundrc: a home of this run's own keeps the user's
# untouched.
wine_env_silent_sound() {
    local home=$1
    mkdir -p "$home"
    # ALSA reads ~/.asoundrc: a home of this run's own keeps the user's untouched. Two outputs, so
    # that the audio dialog's choice of a device can be told from its fallback to the first one;
    # Wine lists the second only where the prefix names it (wine_env_start does).
    cat >"$home/.asoundrc" <<'ALSA'
pcm.!default { type null }
ctl.!default { type hw card 0 }
pcm.tavrin_second { type null }
ALSA
    export HOME=$home
}

# The Unix processes of Wine, its server and every Windows program, that run with this prefix.
wine_env_prefix_processes() {
    local prefix=$1 wine_folder process
    wine_folder=$(dirname "$WINE")
    for process in /proc/[0-9]*; do
        [[ $(readlink "$process/exe" 2>/dev/null) == "$wine_folder"/* ]] || continue
        if tr '\0' '\n' 2>/dev/null <"$process/environ" | grep -qxF "WINEPREFIX=$prefix"; then
            echo "${process#/proc/}"
        fi
    done
}

wine_env_use_32bit() {
    export WINE=${TAVRIN_WINE32:-/opt/tavrin-wine32}/wine WINEARCH=win32
}

wine_env_start() {
    local folder=$1 screen=${2:-1280x1024x24}
    mkdir -p "$folder/home"
    folder=$(cd "$folder" && pwd)

    if [[ "${TAVRIN_USE_DISPLAY:-0}" == 1 && -n "${DISPLAY:-}" ]]; then
        WINE_ENV_XVFB_PID=""
    else
        wine_env_start_xvfb "$folder" "$screen" || return 1
    fi

    wine_env_silent_sound "$folder/home"
    export WINEPREFIX="$folder/prefix"
    export WINEDEBUG=-all
    # No Mono or Gecko installers: the programs need neither. No menu entries on the desktop for
    # the shortcuts the game's installer makes.
    local overrides="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEDLLOVERRIDES="$overrides${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
    mkdir -p "$WINEPREFIX"
    # One server for the whole run: every program then starts in well under a second.
    "$WINESERVER" -p
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        "$WINE" wineboot -i >"$folder/wineboot.log" 2>&1 || true
        # Without a window manager, Wine waits for one before every hidden window it maps: windows
        # it manages itself need no such wait.
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        # ALSA devices that no sound card enumerates, which Wine's ALSA driver then lists too.
        "$WINE" reg add 'HKCU\Software\Wine\Drivers\winealsa.drv' /v ALSAOutputDevices \
            /t REG_MULTI_SZ /d tavrin_second /f >/dev/null 2>&1 || true
    fi
}

wine_env_stop() {
    [[ -n "${WINEPREFIX:-}" ]] && "$WINESERVER" -k 2>/dev/null || true
    if [[ -n "${WINE_ENV_XVFB_PID:-}" ]]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    fi
}
