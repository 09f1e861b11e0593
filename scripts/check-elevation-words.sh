#!/usr/bin/env bash
# Fails when a 32-bit Windows program without an execution level would be elevated by Windows'
# installer detection: when a text of its version resource or its manifest holds a word such as
# "setup", "install", "update" or "patch" (in any case), or when its manifest asks for an
# execution level, which would end the file redirection the game relies on. Either way the
# program would no longer see the game's copy of tavrin.dat (README).
#   check-elevation-words.sh <windres> <program.exe>
set -euo pipefail
windres=$1 program=$2
words='setup|instal|update|patch|upgrad'

# windres writes a program's resources back as a resource script, each resource after a comment
# that names its type; the manifest's type is 24.
script=$("$windres" --input-format=coff --output-format=rc --input="$program")
section() {
    awk -v type="$1" '/^\/\* Type: / { keep = ($3 == type) } keep' <<<"$script"
}
version=$(section version)
manifest=$(section 24)
name=$(basename "$program")
if [[ -z "$version" || -z "$manifest" ]]; then
    echo "$name: no version resource or no manifest found" >&2
    exit 1
fi

failed=0
if found=$(grep -inE "$words" <<<"$version"$'\n'"$manifest"); then
    echo "$name: words from which Windows guesses an installer:" >&2
    echo "$found" >&2
    failed=1
fi
if grep -iq '<requestedExecutionLevel' <<<"$manifest"; then
    echo "$name: the manifest asks for an execution level" >&2
    failed=1
fi
((failed == 0)) && echo "$name: nothing that makes Windows elevate it"
exit "$failed"
