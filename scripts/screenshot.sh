#!/usr/bin/env bash
# Takes screenshots of the main window after a survey, of the advanced options
# dialog, of the About box, of a preview and of a folder dropped on the window,
# on a virtual X display, as a user would get there: Alt+E, the folder typed
# into the folder browser, Enter; a click on 启用高级选项 and on 设置..., a
# replacement typed in; Alt+O, then Alt+A. Then `quorin FOLDER` on a folder of
# .jpeg photos to be renumbered into .jpg names, one of which is taken, the
# settings clicked and typed in, and Alt+V; Esc; and a folder dragged from a
# small stand-in for a file manager's pane (scripts/DragFolder.cpp) and dropped.
# usage: scripts/screenshot.sh [FOLDER] [SCALE]    (defaults: docs, 1)
# writes main-window.png, options-dialog.png, about-box.png, preview.png and
# folder-dropped.png into FOLDER.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs}")
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
renumber="$work/Pictures/export"
mkdir -p "$renumber"
for i in 0412 0413 0415 0420 0421 0433; do : >"$renumber/DSC_$i.jpeg"; done
: >"$renumber/trip003_.jpg"
g++ -std=c++20 -fPIC -O1 "$root/scripts/DragFolder.cpp" -o "$work/drag-folder" $(pkg-config --cflags --libs Qt6Widgets)

export QUORIN_SHOT_FOLDER="$photos" QUORIN_SHOT_OUTPUT="$output" QUORIN_BIN="$root/build/src/quorin"
export QUORIN_SHOT_RENUMBER="$renumber" QUORIN_DRAG="$work/drag-folder"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" QT_SCALE_FACTOR="$scale"
mkdir -p "$output"
xvfb-run -a -s "-screen 0 $((800 * scale))x$((600 * scale))x24 -dpi 96" bash -c '
  set -euo pipefail
  shoot() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$QUORIN_SHOT_OUTPUT/$2"
  }
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
  shoot "$window" main-window.png
  # The client area below the menu bar is 392 x 385; the two controls sit in
  # the right-hand group at (178, 172) and (178, 197) of it.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  menu=$((HEIGHT - 385 * QT_SCALE_FACTOR))
  xdotool mousemove --window "$window" $((190 * QT_SCALE_FACTOR)) $((menu + 182 * QT_SCALE_FACTOR)) click 1
  xdotool mousemove --window "$window" $((235 * QT_SCALE_FACTOR)) $((menu + 210 * QT_SCALE_FACTOR)) click 1
  dialog=$(xdotool search --sync --name "高级选项设置")
  xdotool windowfocus --sync "$dialog"
  xdotool mousemove --window "$dialog" $((20 * QT_SCALE_FACTOR)) $((59 * QT_SCALE_FACTOR)) click 1
  xdotool type --delay 5 "IMG"
  xdotool mousemove --window "$dialog" $((71 * QT_SCALE_FACTOR)) $((159 * QT_SCALE_FACTOR)) click 1
  xdotool type --delay 5 "trip"
  sleep 0.5
  shoot "$dialog" options-dialog.png
  xdotool key alt+o
  sleep 0.5
  xdotool windowfocus --sync "$window" key alt+a
  about=$(xdotool search --sync --name "^关于$")
  sleep 0.5
  shoot "$about" about-box.png
  kill "$program"
  wait "$program" || true

  # A click at (x, y) of the client area under the menu bar, in unscaled pixels.
  at() { xdotool mousemove --window "$window" $(($1 * QT_SCALE_FACTOR)) $((menu + $2 * QT_SCALE_FACTOR)) click 1; sleep 0.3; }
  "$QUORIN_BIN" "$QUORIN_SHOT_RENUMBER" &
  program=$!
  window=$(xdotool search --sync --name "Quorin 1.25")
  xdotool windowfocus --sync "$window"
  sleep 1
  at 20 126
  xdotool type --delay 5 "trip"
  at 115 245
  xdotool type --delay 5 "001_"
  xdotool key Return
  at 115 275
  xdotool type --delay 5 "JPEG"
  xdotool key Return
  at 185 126
  xdotool type --delay 5 "jpg"
  xdotool key alt+v
  preview=$(xdotool search --sync --name "^预览$")
  sleep 1
  shoot "$preview" preview.png
  xdotool key Escape
  sleep 0.5

  "$QUORIN_DRAG" "$QUORIN_SHOT_FOLDER" &
  pane=$(xdotool search --sync --name "— 文件$")
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$pane")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2 - 10)) mousedown 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((X + WIDTH * step / 16)) $((Y + HEIGHT * step / 16)); sleep 0.1
  done
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)); sleep 0.3
  xdotool mouseup 1
  sleep 1.5
  eval "$(xdotool getwindowgeometry --shell "$pane")"
  left=$X top=$Y
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "$((X + WIDTH - left))x$((Y + HEIGHT - top))+${left}+${top}" +repage "$QUORIN_SHOT_OUTPUT/folder-dropped.png"
  kill "$program"
'
echo "$output"/{main-window,options-dialog,about-box,preview,folder-dropped}.png
