#!/usr/bin/env bash
# Installs what building, running and testing need on a Debian 12 machine (as root), and nothing
# when it is all there already.
set -euo pipefail

packages=(
    cmake ninja-build g++ python3 locales
    googletest libgtest-dev libbenchmark-dev libstb-dev  # tests and benchmarks
    nlohmann-json3-dev                                    # the settings tool's JSON
    clang-14 libclang-rt-14-dev                           # libFuzzer
    g++-mingw-w64-x86-64 g++-mingw-w64-i686               # the Windows programs
    nsis                                                  # their installer
    wine64 xvfb xdotool x11-xkb-utils                     # running them (setxkbmap)
    x11vnc novnc websockify                               # the headless run, seen in a browser
    chromium                                              # the browser of its test
)
# Wine derives the user's default language from the Unix locale: the tests need these to exist.
locales=(en_US.UTF-8 de_CH.UTF-8 pt_BR.UTF-8 fr_FR.UTF-8 it_IT.UTF-8 es_ES.UTF-8)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} > 0)); then
    echo "bootstrap: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq "${missing[@]}" >/dev/null
fi

have_locales=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
wanted=()
for name in "${locales[@]}"; do
    normalised=$(echo "$name" | tr '[:upper:]' '[:lower:]' | sed 's/utf-8/utf8/')
    grep -qx "$normalised" <<<"$have_locales" || wanted+=("$name")
done
if ((${#wanted[@]} > 0)); then
    echo "bootstrap: generating locales ${wanted[*]}"
    for name in "${wanted[@]}"; do
        line="$name UTF-8"
        grep -qx "$line" /etc/locale.gen || echo "$line" >>/etc/locale.gen
    done
    locale-gen >/dev/null
fi

# The 32-bit build runs under a 32-bit Wine of its own, beside the system's 64-bit one.
"$(dirname "$0")/install-wine32.sh"
