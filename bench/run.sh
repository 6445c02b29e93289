#!/usr/bin/env bash
# Times quorin-cli beside plain system-call loops on generated trees, in one run.
# usage: bench/run.sh [FILES] [RUNS] [PEAK_FILES]
#        (defaults: 100000 files, 10 runs, peak memory at FILES files)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
files=${1:-100000}
runs=${2:-10}
peak_files=${3:-$files}
build="$root/build-release"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target quorin-cli quorin-bench-baseline >/dev/null
cli="$build/src/quorin-cli"
base="$build/bench/quorin-bench-baseline"

work=$(mktemp -d "${TMPDIR:-/tmp}/quorin-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
flat="$work/flat"
nested="$work/nested"
copysrc="$work/copysrc"
out="$work/out"
run_args=(--type TXT --add p --prefix --style 1 --yes)
fresh="rm -rf '$flat' && '$base' make '$flat' 1 $files"
fresh_nested="rm -rf '$nested' && '$base' make '$nested' 1000 100"

# Prints: name, quorin median, baseline median, ratio (from hyperfine's CSV).
compare() {
  local name=$1 csv="$work/$1.csv"
  shift
  hyperfine --style none --runs "$runs" --export-csv "$csv" "$@" >/dev/null
  awk -F, -v name="$name" 'NR==2{q=$4} NR==3{b=$4} END{printf "%-22s quorin %8.3f s   baseline %8.3f s   ratio %.2f\n", name, q, b, q/b}' "$csv"
}

peak() {
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident/{print $2}'
}

echo "Quorin benchmark: $files files, $runs runs each, medians"
"$base" make "$nested" 1000 100
"$base" make "$copysrc" 1 "$files"
eval "$fresh"

if "$cli" survey "$flat" >/dev/null 2>&1; then
  compare "survey (flat)" "$cli survey '$flat'" "$base survey '$flat'"
  compare "survey (1000x100)" "$cli survey --subdirs '$nested'" "$base survey '$nested'"
fi
# A tree written just before each survey and never synced, as one just
# unpacked: a survey that waited on the disk would wait for all of it.
fresh_tree="rm -rf '$work/fresh' && '$base' make '$work/fresh' 300 1000"
compare "survey (fresh 300x1000)" \
  --prepare "$fresh_tree" "$cli survey --subdirs '$work/fresh'" \
  --prepare "$fresh_tree" "$base survey '$work/fresh'"
rm -rf "$work/fresh"
compare "run in place" \
  --prepare "$fresh" "$cli run --source '$flat' ${run_args[*]}" \
  --prepare "$fresh" "$base rename '$flat'"
compare "run in place (1000x100)" \
  --prepare "$fresh_nested" "$cli run --source '$nested' --subdirs ${run_args[*]}" \
  --prepare "$fresh_nested" "$base rename-tree '$nested'"
compare "restore" \
  --prepare "$fresh && '$cli' run --source '$flat' ${run_args[*]} >/dev/null 2>&1" \
  "$cli restore --yes '$flat/Restore/RestoreTXT.log'" \
  --prepare "$fresh && '$base' rename '$flat'" "$base unrename '$flat'"
compare "copy run" \
  --prepare "rm -rf '$out' && mkdir '$out'" "$cli run --source '$copysrc' --copy --dest '$out' ${run_args[*]}" \
  --prepare "rm -rf '$out' && mkdir '$out'" "$base copy '$copysrc' '$out'"

# Renumbering file0.txt, file1.txt, … as file1.txt, file2.txt, …: every new
# name but the last is the old name of the next file, one chain through all.
chain_args=(--type TXT --add file --drop-old-name --style 1 --yes)
echo "Peak memory (maximum resident set size, KiB):"
for n in 10000 "$peak_files"; do
  rm -rf "$flat" && "$base" make "$flat" 1 "$n"
  run_kib=$(peak "$cli" run --source "$flat" "${run_args[@]}")
  restore_kib=$(peak "$cli" restore --yes "$flat/Restore/RestoreTXT.log")
  chain_kib=$(peak "$cli" run --source "$flat" "${chain_args[@]}")
  echo "  $n files: run $run_kib, restore $restore_kib, renumbering chain $chain_kib"
done
