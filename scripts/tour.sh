#!/usr/bin/env bash
# Pictures of every window: builds the programs, then opens the launcher and the three setup
# dialogs of the demo installation in each of the five languages on a virtual display, and saves
# each as a PNG file of its client area; last the first page of the game's installer, in English.
#
#   scripts/tour.sh [FOLDER]      FOLDER/<language>/<window>.png and FOLDER/en/installer.png;
#                                 FOLDER is docs/pictures unless given (the README shows
#                                 docs/pictures/en)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/pictures}")
cd "$root"

"$root/scripts/bootstrap.sh"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target tavrin_demo tavrin_disc tavrin_driver

source "$root/scripts/lib/wine-env.sh"
trap wine_env_stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
# A prefix of the tour's own, kept for the next tour; always a virtual display of its own, so
# that nothing on the user's screen covers a window.
unset DISPLAY
wine_env_start "$root/build/tour-wine" 1024x768x24
python3 "$root/tools/tour/tour.py" "$root/build/win64" "$output"
python3 "$root/tools/tour/installer_picture.py" "$root/build/win64" "$output/en/installer.png"
echo "The pictures are in $output"
