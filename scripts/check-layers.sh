#!/usr/bin/env bash
# Holds the folders in their layers: an include of the project's own from one folder may name a
# file of a lower layer, or of its own folder, never one of its own layer or above. Prints every
# include that points the wrong way and fails when there is one.
#
#   0  base/, resources/ (the identifiers the templates and the code share)
#   1  texts/ (the text tables every subsystem reads)
#   2  skin/, settings/
#   3  setup/, controls/, launcher/
#   4  app/ (the setup tool's start-up, which opens every dialog)
#   5  cli/, tools/
#   6  tests/
set -euo pipefail
cd "$(dirname "$0")/.."

# folder_of <path>: the layered folder a path belongs to.
folder_of() {
    echo "${1%%/*}"
}

layer_of() {
    case $1 in
        base | resources) echo 0 ;;
        texts) echo 1 ;;
        skin | settings) echo 2 ;;
        setup | controls | launcher) echo 3 ;;
        app) echo 4 ;;
        cli | tools) echo 5 ;;
        tests) echo 6 ;;
        *) echo unknown ;;
    esac
}

wrong=0
while IFS=: read -r file line include; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$include")
    from=$(folder_of "$file")
    to=$(folder_of "$target")
    [[ $from == "$to" ]] && continue
    from_layer=$(layer_of "$from")
    to_layer=$(layer_of "$to")
    # Includes of a file's own neighbours ("capture.h") and of third-party headers name no folder.
    [[ $to_layer == unknown ]] && continue
    if [[ $from_layer == unknown ]] || ((to_layer >= from_layer)); then
        echo "$file:$line: $from (layer $from_layer) includes $target ($to, layer $to_layer)"
        wrong=$((wrong + 1))
    fi
done < <(git ls-files --cached --others --exclude-standard -- '*.h' '*.cpp' '*.rc' | xargs grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]+/')

if ((wrong > 0)); then
    echo "$wrong includes point up or across a layer" >&2
    exit 1
fi
echo "every include between folders points down a layer"
