#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that Windows itself does not provide: a static link
# leaves no MinGW runtime DLL (libstdc++, libgcc, libwinpthread) behind.
#
# Given DLLs after the program, it fails as well when the program imports any DLL but those: the
# setup tool and the launcher import only what the first paint of their windows needs, and load
# the rest (DirectX, the shell, COM) when an action needs it. Wine and Windows load every
# imported DLL before the program's first instruction, so each one more delays every window; and
# a program that loads a DLL itself still starts, and says what is missing, on a machine without
# it.
#   check-imports.sh <objdump> <program.exe> [dll it may import...]
set -euo pipefail
objdump=$1 program=$2
shift 2
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ole32|oleaut32|dinput8|dsound|d3d8|winmm|version|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'

imports=$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
if [[ -z "$imports" ]]; then
    echo "$program: no import table found" >&2
    exit 1
fi
foreign=$(grep -Ev "$system_dlls" <<<"$imports" || true)
echo "$(basename "$program") imports: $(tr '\n' ' ' <<<"$imports")"
if [[ -n "$foreign" ]]; then
    echo "not part of Windows: $foreign" >&2
    exit 1
fi
if (($# > 0)); then
    allowed=$(printf '%s\n' "$@" | tr '[:upper:]' '[:lower:]')
    unneeded=$(grep -vxF -f <(echo "$allowed") <<<"$imports" || true)
    if [[ -n "$unneeded" ]]; then
        echo "imports $(paste -sd' ' <<<"$unneeded"), not needed for the first paint: to be" \
            "loaded when an action needs it" >&2
        exit 1
    fi
fi
