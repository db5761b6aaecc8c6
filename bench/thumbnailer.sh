#!/usr/bin/env bash
# The thumbnailer as a file manager runs it: a new process per thumbnail. Times a 640 x 480
# game image made into a 256-pixel thumbnail (the file managers' "large" size) and into a
# 128-pixel one, process start included, with hyperfine; the goal is under 20 ms each.
# Usage: bench/thumbnailer.sh [RUNS]   (default 100)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-100}"

source bench/benchsetup.sh
install_missing hyperfine
build_bench makegameimage skardetools-thumbnailer shipped_pals
thumbnailer=$PWD/$build/bin/skardetools-thumbnailer
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/makegameimage" 640 480 "$work/dunes.bmp"

for size in 256 128; do
  hyperfine --style basic --runs "$runs" --warmup 10 -N \
    --export-json "$work/$size.json" \
    "$thumbnailer -s $size $work/dunes.bmp $work/thumb-$size.png" >/dev/null
  mean_ms=$(python3 -c "import json,sys; r=json.load(open(sys.argv[1]))['results'][0]; \
print(f\"{r['mean']*1000:.2f} ms (median {r['median']*1000:.2f}, max {r['max']*1000:.2f})\")" \
    "$work/$size.json")
  echo "640 x 480 game image -> $size-pixel thumbnail, process start included: $mean_ms"
done
echo "goal: under 20 ms"
