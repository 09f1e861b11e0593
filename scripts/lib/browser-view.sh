# shellcheck shell=bash disable=SC2034  # BROWSER_VIEW_URL and BROWSER_VIEW_PORT are for the caller
# Sourced by scripts/run.sh after scripts/lib/wine-env.sh: the virtual display of a run on a
# machine without a screen, shown in a web browser.
#
#   browser_view_start <folder> <address> <port>
#       Xvfb on a free display; x11vnc serving it on the loopback interface only; websockify
#       serving noVNC's page and its bridge to x11vnc on <address>, at <port> or, when that is
#       taken, the next free port. Exports DISPLAY; sets BROWSER_VIEW_URL, the page to open, and
#       BROWSER_VIEW_PORT, the port it is served on. Logs go to <folder>.
#   browser_view_stop
#       ends all three, with whatever websockify forked for its connections.

BROWSER_VIEW_NOVNC=/usr/share/novnc
BROWSER_VIEW_SCREEN=1024x768x24
BROWSER_VIEW_PIDS=()

# Whether a server can listen on the address and TCP port now. Like websockify, the probe
# reuses a port that only closed connections still hold, as after the previous run.
browser_view_port_free() {
    python3 - "$1" "$2" <<'PY'
import socket, sys
address, port = sys.argv[1], int(sys.argv[2])
family = socket.AF_INET6 if ":" in address else socket.AF_INET
with socket.socket(family, socket.SOCK_STREAM) as probe:
    probe.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    try:
        probe.bind((address, port))
    except OSError:
        sys.exit(1)
PY
}

# Whether something accepts connections at the address and port.
browser_view_answers() {
    local address=$1 port=$2
    case $address in 0.0.0.0) address=127.0.0.1 ;; ::) address=::1 ;; esac
    (exec 3<>"/dev/tcp/$address/$port") 2>/dev/null
}

# Starts a server in a process group of its own: stopping it stops its forks too, and the
# terminal's Ctrl+C reaches only this script, which stops everything in order.
browser_view_spawn() {
    local log=$1
    shift
    setsid "$@" >"$log" 2>&1 </dev/null &
    BROWSER_VIEW_PIDS+=("$!")
}

browser_view_start() {
    local folder=$1 address=$2 port=$3 waited=0 vnc_port="" last_port

    mkdir -p "$folder"
    folder=$(cd "$folder" && pwd)
    wine_env_start_xvfb "$folder" "$BROWSER_VIEW_SCREEN" 1 || return 1

    # x11vnc finds itself a free VNC port and says which; only websockify connects to it.
    rm -f "$folder/x11vnc.log"
    browser_view_spawn "$folder/x11vnc.log" x11vnc -display "$DISPLAY" -localhost -autoport 5900 \
        -forever -shared -nopw -norc -noxdamage
    until [[ -n "$vnc_port" ]]; do
        sleep 0.1
        vnc_port=$(sed -n 's/^PORT=\([0-9][0-9]*\)$/\1/p' "$folder/x11vnc.log" 2>/dev/null)
        if ((++waited > 300)) || ! kill -0 "${BROWSER_VIEW_PIDS[-1]}" 2>/dev/null; then
            echo "x11vnc did not start; its log is $folder/x11vnc.log" >&2
            return 1
        fi
    done

    # The first free port from the one asked for; another program may take it between the probe
    # and websockify's start, so a websockify that ends at once moves on to the next.
    last_port=$((port + 99))
    for ((; port <= last_port; ++port)); do
        browser_view_port_free "$address" "$port" || continue
        browser_view_spawn "$folder/websockify.log" websockify --web "$BROWSER_VIEW_NOVNC" \
            "$address:$port" "127.0.0.1:$vnc_port"
        waited=0
        while kill -0 "${BROWSER_VIEW_PIDS[-1]}" 2>/dev/null && ((waited++ < 300)); do
            if browser_view_answers "$address" "$port" &&
                kill -0 "${BROWSER_VIEW_PIDS[-1]}" 2>/dev/null; then
                local host=$address
                case $address in
                    127.0.0.1 | ::1 | localhost) host=localhost ;;
                    0.0.0.0 | ::) host=$(hostname) ;;
                    *:*) host="[$address]" ;;
                esac
                BROWSER_VIEW_PORT=$port
                BROWSER_VIEW_URL="http://$host:$port/vnc.html?autoconnect=1&resize=scale"
                return 0
            fi
            sleep 0.1
        done
        kill -KILL -- "-${BROWSER_VIEW_PIDS[-1]}" 2>/dev/null || true
        wait "${BROWSER_VIEW_PIDS[-1]}" 2>/dev/null || true
        unset 'BROWSER_VIEW_PIDS[-1]'
    done
    echo "websockify found no free port on $address from $3 to $last_port;" \
        "its log is $folder/websockify.log" >&2
    return 1
}

browser_view_stop() {
    local pid
    for pid in "${BROWSER_VIEW_PIDS[@]}"; do
        kill -TERM -- "-$pid" 2>/dev/null || true
    done
    for pid in "${BROWSER_VIEW_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
        kill -KILL -- "-$pid" 2>/dev/null || true  # forks that outlived it
    done
    BROWSER_VIEW_PIDS=()
    if [[ -n "${WINE_ENV_XVFB_PID:-}" ]]; then
        kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
        WINE_ENV_XVFB_PID=""
    fi
}
