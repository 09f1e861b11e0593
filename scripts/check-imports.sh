#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that Windows itself does not provide: a static link
# leaves no MinGW runtime DLL (libstdc++, libgcc, libwinpthread) behind. DLLs named after the
# program must not be imported at all: the program loads them at run time, so that it still
# starts, and says what is missing, on a machine without them.
#   check-imports.sh <objdump> <program.exe> [dll loaded at run time...]
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
for dll in "$@"; do
    if grep -qxF "${dll,,}" <<<"$imports"; then
        echo "imports $dll, which it must load at run time" >&2
        exit 1
    fi
done
