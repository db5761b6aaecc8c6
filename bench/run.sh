#!/usr/bin/env bash
# Times skardetools-cli against the system's own tools on the same files (cp, tar, ImageMagick's
# mogrify) with hyperfine, and prints the ratios of the mean times (ours / theirs: below 1 is
# faster). Installs hyperfine and ImageMagick when they are missing.
# Usage: bench/run.sh [RUNS]   (default 5 runs of each command)
# SKARDE_BENCH_OUT=DIR writes the outputs there (e.g. /dev/shm/..., to leave the disk out);
# SKARDE_BENCH_CLI=PROGRAM times another build of skardetools-cli (an older one, say).
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-5}"

source bench/benchsetup.sh
install_missing hyperfine imagemagick
build_bench makecorpus shipped_pals

corpus=$PWD/$build/corpus
if [ ! -f "$corpus/small.tar" ]; then
  echo "Writing the corpus in $corpus"
  "$build/bin/makecorpus" "$corpus"
  tar -cf "$corpus/images.tar" -C "$corpus/images-tree" .
  tar -cf "$corpus/small.tar" -C "$corpus/small-tree" .
  mkdir -p "$corpus/pbmp200"
  # The first 200 by name; a glob, as `ls | head` ends in SIGPIPE, fatal under pipefail.
  images=("$corpus"/pbmp/*.bmp)
  cp "${images[@]:0:200}" "$corpus/pbmp200/"
fi

cli=${SKARDE_BENCH_CLI:-$cli}
pals=$PWD/$build/bin/pals
work=$PWD/$build/work
out=${SKARDE_BENCH_OUT:-$work/out}
mkdir -p "$work"
results=()

# compare LABEL OURS THEIRS [RUNS]: both run from an empty output folder each time.
compare() {
  hyperfine --style basic --runs "${4:-$runs}" --warmup "$((${4:-$runs} > 1 ? 1 : 0))" \
    --prepare "rm -rf '$out' && mkdir -p '$out'" \
    --export-json "$work/${#results[@]}.json" "$2" "$3" >/dev/null
  results+=("$1")
}

compare "pbmp2bmp, 2000 images of 256 x 256 | cp" \
  "'$cli' pbmp2bmp --pals '$pals' -o '$out' '$corpus'/pbmp/*.bmp" \
  "cp '$corpus'/pbmp/*.bmp '$out'/"
compare "vol extract, 2000 images in 20 folders | tar -xf" \
  "'$cli' vol extract -o '$out' '$corpus/images.vol'" \
  "tar -xf '$corpus/images.tar' -C '$out'"
compare "vol extract, 30000 small members in 50 folders | tar -xf" \
  "'$cli' vol extract -o '$out' '$corpus/small.vol'" \
  "tar -xf '$corpus/small.tar' -C '$out'"
compare "vol list, 30000 members | tar -tf" \
  "'$cli' vol list '$corpus/small.vol'" \
  "tar -tf '$corpus/small.tar'"
# Choosing members by pattern costs no more than listing them all.
compare "vol list '*', 30000 members | vol list" \
  "'$cli' vol list '$corpus/small.vol' '*'" \
  "'$cli' vol list '$corpus/small.vol'"
compare "vol list 'd0?\\*' '*7.txt' d49, 30000 members | vol list" \
  "'$cli' vol list '$corpus/small.vol' 'd0?\\*' '*7.txt' d49" \
  "'$cli' vol list '$corpus/small.vol'"
compare "pbmp2bmp, 200 images | mogrify to 8-bit BMP" \
  "'$cli' pbmp2bmp --pals '$pals' -o '$out' '$corpus'/pbmp200/*.bmp" \
  "mogrify -path '$out' -size 256x256 -depth 8 -type Palette -format bmp 'gray:$corpus/raw/*.gray'" \
  1 # mogrify's palette search takes half a second an image here: one run is plenty

echo
echo "$(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
  "$(. /etc/os-release && echo "$PRETTY_NAME"), $(date -u +%Y-%m-%d), outputs in $(dirname "$out")"
python3 - "$work" "${results[@]}" <<'PYTHON'
import json, sys
work, labels = sys.argv[1], sys.argv[2:]
print("| skardetools-cli | against | ours (s) | theirs (s) | ratio |")
print("|---|---|---|---|---|")
for index, label in enumerate(labels):
    ours, theirs = label.split(" | ")
    runs = json.load(open(f"{work}/{index}.json"))["results"]
    a, b = runs[0]["mean"], runs[1]["mean"]
    print(f"| {ours} | {theirs} | {a:.3f} | {b:.3f} | {a / b:.2f} |")
PYTHON
