#!/usr/bin/env bash
# Takes a screenshot of the main window after a survey, on a virtual X display,
# as a user would get there: Alt+E, the folder typed into the folder browser, Enter.
# usage: scripts/screenshot.sh [OUTPUT.png] [SCALE]    (defaults: docs/main-window.png, 1)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/main-window.png}")
scale=${2:-1}

"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target quorin >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/quorin-shot-XXXXXX")
trap 'rm -rf "$work"' EXIT
photos="$work/Pictures/trip"
mkdir -p "$photos/raw" "$work/runtime" "$work/config"
chmod 700 "$work/runtime"
for i in $(seq -w 1 24); do : >"$photos/IMG_20$i.JPG"; done
for i in 1 2 3; do : >"$photos/scan$i.png"; done
: >"$photos/notes.txt"
for i in 1 2 3 4; do : >"$photos/raw/IMG_20$i.CR2"; done

export QUORIN_SHOT_FOLDER="$photos" QUORIN_SHOT_OUTPUT="$output" QUORIN_BIN="$root/build/src/quorin"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" QT_SCALE_FACTOR="$scale"
mkdir -p "$(dirname "$output")"
xvfb-run -a -s "-screen 0 $((800 * scale))x$((600 * scale))x24 -dpi 96" bash -c '
  set -euo pipefail
  "$QUORIN_BIN" &
  program=$!
  window=$(xdotool search --sync --name "Quorin 1.25")
  xdotool windowfocus --sync "$window" key alt+e
  browser=$(xdotool search --sync --name "请选择一个目录")
  xdotool windowfocus --sync "$browser"
  sleep 0.5
  xdotool type --delay 5 "$QUORIN_SHOT_FOLDER"
  xdotool key Return
  sleep 1.5
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$QUORIN_SHOT_OUTPUT"
  kill "$program"
'
echo "$output"
