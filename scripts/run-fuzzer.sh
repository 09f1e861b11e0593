#!/usr/bin/env bash
# Runs a libFuzzer target for a bounded time from a scratch copy of its seed corpus, so that the
# repository's corpus stays as committed. A failing run keeps its folder, with the crashing input.
#   run-fuzzer.sh <fuzzer> <seed corpus folder> <seconds>
set -uo pipefail
fuzzer=$1 seeds=$2 seconds=$3
work=$(mktemp -d -t "$(basename "$fuzzer").XXXXXX")
mkdir -p "$work/corpus" "$work/artifacts"
cp -r "$seeds"/. "$work/corpus/" 2>/dev/null || true
"$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=512 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1
status=$?
tail -n 30 "$work/log"
if ((status != 0)); then
    echo "fuzzer failed; inputs and log kept in $work" >&2
    exit "$status"
fi
rm -rf "$work"
