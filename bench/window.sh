#!/usr/bin/env bash
# Times the main window beside quorin-cli on the same tree, offscreen and on a
# virtual X display, and its start-up beside a minimal Qt Widgets program.
# usage: bench/window.sh [FILES] [RUNS]    (defaults: 100000 files, 5 runs)
#        bench/window.sh preview [FILES...]  (defaults: 100000 1000000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The preview of a flat folder of each size, offscreen: when its first rows
# show and when its whole plan is in, from the click on 预览, and its peak
# memory beside the window's own (the peak of a window that only starts).
if [ "${1:-}" = --measure-preview ]; then
  shift
  rss() { /usr/bin/time -f %M -o "$QUORIN_BENCH_WORK/rss" "$@" 2>/dev/null; }
  rss "$WINDOW" startup
  window_kib=$(cat "$QUORIN_BENCH_WORK/rss")
  for files in "$@"; do
    flat="$QUORIN_BENCH_WORK/flat$files"
    "$BASE" make "$flat" 1 "$files"
    rss "$WINDOW" preview "$flat" >"$QUORIN_BENCH_WORK/times"
    read -r first whole <"$QUORIN_BENCH_WORK/times"
    awk -v n="$files" -v f="$first" -v w="$whole" -v p="$(cat "$QUORIN_BENCH_WORK/rss")" -v b="$window_kib" \
      'BEGIN{printf "  %9d files   first rows %7.3f s   whole plan %7.3f s   peak %6.1f MiB, %6.1f MiB beside the window\n", n, f, w, p/1024, (p-b)/1024}'
    rm -rf "$flat"
  done
  exit 0
fi

# One platform's figures, run by this script itself on the chosen display.
if [ "${1:-}" = --measure ]; then
  flat="$QUORIN_BENCH_WORK/flat"
  fresh="rm -rf '$flat' && '$BASE' make '$flat' 1 $FILES"
  ran="$fresh && '$CLI' run --source '$flat' --type TXT --add p --prefix --style 1 --yes >/dev/null 2>&1"
  log="$flat/Restore/RestoreTXT.log"
  # The median of the operation's own time in the window, over RUNS fresh trees.
  window_median() {
    local prepare=$1 op=$2 target=$3
    for _ in $(seq "$RUNS"); do
      eval "$prepare"
      "$WINDOW" "$op" "$target" 2>/dev/null
    done | sort -n | awk '{t[NR]=$1} END{print (NR%2) ? t[(NR+1)/2] : (t[NR/2]+t[NR/2+1])/2}'
  }
  cli_median() {
    local csv="$QUORIN_BENCH_WORK/cli.csv"
    hyperfine --style none --runs "$RUNS" --export-csv "$csv" "$@" >/dev/null 2>&1
    awk -F, 'NR==2{print $4}' "$csv"
  }
  row() { awk -v n="$1" -v w="$2" -v c="$3" 'BEGIN{printf "  %-9s window %8.4f s   quorin-cli %8.4f s   ratio %.2f\n", n, w, c, w/c}'; }
  eval "$fresh"
  row survey "$(window_median : survey "$flat")" "$(cli_median "$CLI survey '$flat'")"
  row run "$(window_median "$fresh" run "$flat")" \
    "$(cli_median --prepare "$fresh" "$CLI run --source '$flat' --type TXT --add p --prefix --style 1 --yes")"
  row restore "$(window_median "$ran" restore "$log")" "$(cli_median --prepare "$ran" "$CLI restore --yes '$log'")"
  csv="$QUORIN_BENCH_WORK/start.csv"
  hyperfine --style none -N --warmup 3 --runs $((RUNS * 4)) --export-csv "$csv" "$WINDOW startup" "$MINIMAL" >/dev/null 2>&1
  awk -F, 'NR==2{w=$4} NR==3{m=$4} END{printf "  %-9s window %8.4f s   minimal    %8.4f s   ratio %.2f\n", "start-up", w, m, w/m}' "$csv"
  exit 0
fi

preview=
if [ "${1:-}" = preview ]; then
  preview=1
  shift
  [ $# -gt 0 ] || set -- 100000 1000000
fi
files=${1:-100000}
runs=${2:-5}
build="$root/build-release"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target quorin-cli quorin-bench-baseline quorin-bench-window quorin-bench-minimal >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/quorin-bench-XXXXXX")
# The runtime folder is a memory file system, as on a desktop, so taking the
# single-copy lock costs no disk sync.
runtime=$(mktemp -d /dev/shm/quorin-bench-runtime-XXXXXX)
trap 'rm -rf "$work" "$runtime"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$runtime" QUORIN_BENCH_WORK="$work" FILES="$files" RUNS="$runs"
export CLI="$build/src/quorin-cli" BASE="$build/bench/quorin-bench-baseline"
export WINDOW="$build/bench/quorin-bench-window" MINIMAL="$build/bench/quorin-bench-minimal"

if [ -n "$preview" ]; then
  echo "Quorin preview benchmark, offscreen:"
  QT_QPA_PLATFORM=offscreen "$0" --measure-preview "$@"
  exit 0
fi
echo "Quorin window benchmark: $files files, medians of $runs runs (start-up: $((runs * 4)) runs)"
echo "offscreen:"
QT_QPA_PLATFORM=offscreen "$0" --measure
echo "Xvfb:"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" --measure
