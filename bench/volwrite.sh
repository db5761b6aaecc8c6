#!/usr/bin/env bash
# Times skardetools-cli's archive writing against the system's own tools:
#   - vol pack of 30,000 small members in 50 folders against tar -cf of the same tree (goal: at
#     most 1.3 x), with hyperfine;
#   - vol update -o of one small member of an archive that also holds a stored member of about
#     1.5 GiB, against cp of the archive (goal: at most 1.2 x, peak memory under
#     64 MiB), best of RUNS with GNU time.
# Installs hyperfine and GNU time when they are missing.
# Usage: bench/volwrite.sh [SIZE [RUNS]]   (SIZE in bytes, default 1610612736; RUNS default 3)
# The big files go to /dev/shm when it has room for three of them, else to build-bench-cli/.
set -euo pipefail
cd "$(dirname "$0")/.."
size="${1:-1610612736}"
runs="${2:-3}"

source bench/benchsetup.sh
install_missing hyperfine time
build_bench makecorpus makebigmember

corpus=$PWD/$build/corpus
if [ ! -d "$corpus/small-tree" ]; then
  echo "Writing the corpus in $corpus"
  "$build/bin/makecorpus" "$corpus"
fi

use_work_folder volwrite "$size"
out=$work/out

# Packing: the model gives the header and tags; the members are the tree's files.
hyperfine --style basic --runs "$runs" --warmup 1 --prepare "rm -rf '$out' && mkdir -p '$out'" \
  --export-json "$work/pack.json" \
  "'$cli' vol pack -q '$corpus/small-tree' --like '$corpus/small.vol' -o '$out/packed.vol'" \
  "tar -cf '$out/small.tar' -C '$corpus/small-tree' ." >/dev/null

# Updating: a big member, and a small one after it to replace.
archive=$work/big.vol
echo "Writing a member of $size bytes in $archive"
"$build/bin/makebigmember" "$archive" "$size"
printf 'first version\n' >"$work/small-1.txt"
mkdir -p "$work/edited"
printf 'the second version of the small member\n' >"$work/edited/notes.txt"
"$cli" vol add -q "$archive" "$work/small-1.txt=notes.txt"
rm -f "$archive".bak

read -r ours oursKiB < <(best "$out" "$cli" vol update -q -o "$out/new.vol" "$archive" "$work/edited")
read -r theirs theirsKiB < <(best "$out" cp "$archive" "$out/copy.vol")

echo
echo "$(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
  "$(. /etc/os-release && echo "$PRETTY_NAME"), $(date -u +%Y-%m-%d), outputs in $(dirname "$work")"
python3 - "$work/pack.json" "$runs" <<'PYTHON'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
a, b = results[0]["mean"], results[1]["mean"]
print("| skardetools-cli | against | ours (s) | theirs (s) | ratio |")
print("|---|---|---|---|---|")
print(f"| vol pack, 30000 small members in 50 folders | tar -cf | {a:.3f} | {b:.3f} | {a / b:.2f} |")
PYTHON
echo
echo "| skardetools-cli | against | ours (s) | theirs (s) | ratio | peak memory, ours / theirs |"
echo "|---|---|---|---|---|---|"
awk -v size="$size" -v a="$ours" -v b="$theirs" -v am="$oursKiB" -v bm="$theirsKiB" 'BEGIN {
  printf "| vol update -o, one small member of a %.2f GiB archive | cp | %.2f | %.2f | %.2f | %.1f MiB / %.1f MiB |\n",
    size / 1073741824, a, b, (b > 0 ? a / b : 0), am / 1024, bm / 1024 }'
