#!/usr/bin/env bash
# Builds and runs the benchmarks:
#
#   scripts/bench.sh                      both, the loader's first
#   scripts/bench.sh loader [ARGS...]     output MB/s of the BMP loader beside memcpy and
#                                         stb_image; ARGS go to Google Benchmark (e.g.
#                                         --benchmark_repetitions=5)
#   scripts/bench.sh startup [ARGS...]    time from starting each program to its first painted
#                                         window under Wine and until the window is ready, beside
#                                         the window's own template shown bare, and where that
#                                         time goes; ARGS go to
#                                         tools/startup_bench/startup_bench.py (--runs N,
#                                         --only graphics,audio)
#
# The machine's load average is printed before and after each: the start-up figures are wall
# clock times and are only worth comparing when the load was alike.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

what=${1:-all}
[[ $# -gt 0 ]] && shift
case "$what" in
    loader | startup | all) ;;
    *)
        echo "usage: scripts/bench.sh [loader|startup] [ARGS...]" >&2
        exit 2
        ;;
esac

load_average() {
    echo "load average (1, 5, 15 minutes): $(cut -d' ' -f1-3 /proc/loadavg)"
}

"$root/scripts/bootstrap.sh"

if [[ $what == loader || $what == all ]]; then
    cmake --preset bench >/dev/null
    cmake --build --preset bench
    load_average
    build/bench/tests/bench/bmp_bench "$@"
    load_average
fi

if [[ $what == startup || $what == all ]]; then
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 --target tavrin_demo tavrin_driver startup_template
    source "$root/scripts/lib/wine-env.sh"
    trap wine_env_stop EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    # A prefix of the benchmark's own, kept from one run to the next so that it is warm; always
    # a virtual display of its own, so that nothing on the user's screen covers a window.
    unset DISPLAY
    wine_env_start "$root/build/bench-wine" 1024x768x24
    echo "$("$WINE" --version) on Xvfb; $(nproc) cores: $(grep -m1 'model name' /proc/cpuinfo |
        cut -d: -f2 | sed 's/^ *//')"
    load_average
    python3 "$root/tools/startup_bench/startup_bench.py" "$root/build/win64" "$@"
    load_average
fi
