#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them: output MB/s of the BMP loader beside memcpy and
# stb_image. Extra arguments go to Google Benchmark (e.g. --benchmark_repetitions=5).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/bootstrap.sh"
cmake --preset bench >/dev/null
cmake --build --preset bench
exec build/bench/tests/bench/bmp_bench "$@"
