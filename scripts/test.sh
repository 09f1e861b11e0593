#!/usr/bin/env bash
# Runs every test of the project on a Debian 12 machine, installing what is missing first:
#   native   the portable core under AddressSanitizer and UndefinedBehaviorSanitizer
#   fuzz     the file parsers under libFuzzer, for a bounded time each
#   win32    the 32-bit release build and its import check
#   win64    the 64-bit build, its import check and the Windows-side tests under Wine
#   e2e      the real programs under Wine on Xvfb, driven through their windows
#   windows32 the Windows-side tests of the 32-bit build under 32-bit Wine (qemu-i386)
#   layers   every include between folders points down a layer (scripts/check-layers.sh)
# Ends with a pass/fail count per stage; the exit status is 0 only when everything passed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

"$root/scripts/bootstrap.sh" || { echo "bootstrap failed" >&2; exit 1; }
source "$root/scripts/lib/wine-env.sh"

declare -a summary=()
failed_total=0
passed_total=0

# record <stage> <passed> <failed>
record() {
    summary+=("$(printf '%-9s %5d passed %5d failed' "$1" "$2" "$3")")
    passed_total=$((passed_total + $2))
    failed_total=$((failed_total + $3))
}

# build <preset> [extra cmake arguments...]: configures and builds; false on failure.
build() {
    local preset=$1
    shift
    echo "=== build $preset"
    cmake --preset "$preset" "$@" >"build-$preset.log" 2>&1 &&
        cmake --build --preset "$preset" >>"build-$preset.log" 2>&1 &&
        { rm -f "build-$preset.log"; return 0; }
    tail -n 40 "build-$preset.log"
    echo "build of $preset failed; the whole log is in build-$preset.log" >&2
    return 1
}

# run_tests <stage> <build folder> <label regex> [ctest options...]: runs the labelled CTest tests
# and records them; the whole output is kept in build/<stage>-tests.log.
run_tests() {
    local stage=$1 folder=$2 label=$3 output
    shift 3
    echo "=== test $stage"
    output=$(ctest --test-dir "$folder" -L "$label" --output-on-failure "$@" 2>&1)
    echo "$output" >"build/$stage-tests.log"
    echo "$output" | grep -E '^ *[0-9]+/[0-9]+ Test|tests passed|FAILED|Failed|\*\*\*' | tail -n 400
    local line passed failed total
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' <<<"$output" | tail -n 1)
    if [[ -z "$line" ]] && grep -q 'No tests were found' <<<"$output"; then
        record "$stage" 0 0
        return
    fi
    if [[ -z "$line" ]]; then
        echo "$output" | tail -n 40
        record "$stage" 0 1
        return
    fi
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((total - failed))
    ((failed > 0)) && echo "$output" | sed -n '/The following tests FAILED/,$p' &&
        echo "the whole output of $stage is in build/$stage-tests.log"
    record "$stage" "$passed" "$failed"
}

# run_gtest_program <stage> <build folder> <label regex>: runs the labelled CTest test, a whole
# GoogleTest program, and records the program's tests one by one; the whole output is kept in
# build/<stage>-tests.log. A program that never gets to its first test (Wine now and then fails
# to start one) runs once more.
run_gtest_program() {
    local stage=$1 folder=$2 label=$3 output passed failed attempt
    echo "=== test $stage"
    for attempt in 1 2; do
        output=$(ctest --test-dir "$folder" -L "$label" --verbose 2>&1 | sed -E 's/^[0-9]+: //')
        grep -q '^\[==========\] Running' <<<"$output" && break
    done
    echo "$output" >"build/$stage-tests.log"
    passed=$(grep -c '^\[       OK \]' <<<"$output")
    failed=$(grep -cE '^\[  FAILED  \] .* \([0-9]+ ms\)$' <<<"$output")
    if ! grep -qE '^\[==========\] [0-9]+ tests? from .* ran\.' <<<"$output"; then
        echo "$output" | tail -n 40
        echo "$stage ended before its last test" >&2
        failed=$((failed + 1))
    fi
    # The program's closing summary: the counts, and the name of each test that failed.
    grep -E '^\[  (PASSED|FAILED)  \]' <<<"$output" | grep -vE '\([0-9]+ ms\)$'
    ((failed > 0)) && echo "the whole output of $stage is in build/$stage-tests.log"
    record "$stage" "$passed" "$failed"
}

mkdir -p build
echo "=== layers"
if scripts/check-layers.sh; then record layers 1 0; else record layers 0 1; fi

windows_build="$root/build/win64"

if build native -DTAVRIN_WINDOWS_BUILD_DIR="$windows_build"; then
    run_tests native build/native '^native$'
else
    record native 0 1
fi

if build fuzz; then
    run_tests fuzz build/fuzz '^fuzz$'
else
    record fuzz 0 1
fi

if build win32; then
    run_tests win32 build/win32 '^imports$'
else
    record win32 0 1
fi

if build win64; then
    run_tests imports build/win64 '^imports$'
    echo "=== starting Wine on Xvfb"
    rm -rf "$root/build/wine-test"  # a throwaway prefix for every run
    if wine_env_start "$root/build/wine-test"; then
        # Under Wine a program now and then fails to start at all (the loader gives up within a
        # few milliseconds); a test that fails runs once more, so only a failure twice counts.
        run_tests windows build/win64 '^windows$' --repeat until-pass:2
        if [[ -d build/native ]]; then
            run_tests e2e build/native '^e2e$' --repeat until-pass:2
        fi
        wine_env_stop
    else
        record wine 0 1
    fi
else
    record win64 0 1
fi

# The 32-bit release build under 32-bit Wine, in a prefix and on a display of its own.
if [[ -f build/win32/tests/windows/windows_tests.exe ]]; then
    echo "=== starting 32-bit Wine on Xvfb"
    rm -rf "$root/build/wine32-test"
    wine_env_use_32bit
    if wine_env_start "$root/build/wine32-test"; then
        run_gtest_program windows32 build/win32 '^windows$'
        wine_env_stop
    else
        record wine32 0 1
    fi
fi

echo
echo "=== results"
printf '%s\n' "${summary[@]}"
printf 'TOTAL     %5d passed %5d failed\n' "$passed_total" "$failed_total"
((failed_total == 0))
