#!/usr/bin/env bash
# Extracts one stored member of about 1.5 GiB with skardetools-cli and prints its peak resident
# memory and its time against cp of the archive (a file of the same size, give or take its 50
# bytes of headers and directory). Goals: under 64 MiB, and at most 1.2 x the time of cp.
# Installs GNU time when it is missing.
# Usage: bench/bigmember.sh [SIZE [RUNS]]   (SIZE in bytes, default 1610612736; RUNS default 3)
# The files go to /dev/shm when it has room for three of them, else to build-bench-cli/.
set -euo pipefail
cd "$(dirname "$0")/.."
size="${1:-1610612736}"
runs="${2:-3}"

source bench/benchsetup.sh
install_missing time
build_bench makebigmember

# The archive, our output and cp's copy.
use_work_folder bigmember "$size"
archive=$work/big.vol
echo "Writing a member of $size bytes in $archive"
"$build/bin/makebigmember" "$archive" "$size"

read -r ours oursKiB < <(best "$work/out" "$cli" vol extract -o "$work/out" "$archive")
read -r theirs theirsKiB < <(best "$work/out" cp "$archive" "$work/out/copy.vol")

echo
echo "$(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
  "$(. /etc/os-release && echo "$PRETTY_NAME"), $(date -u +%Y-%m-%d), files in $(dirname "$work")," \
  "best of $runs"
echo "| skardetools-cli | against | ours (s) | theirs (s) | ratio | peak memory, ours / theirs |"
echo "|---|---|---|---|---|---|"
awk -v size="$size" -v a="$ours" -v b="$theirs" -v am="$oursKiB" -v bm="$theirsKiB" 'BEGIN {
  printf "| vol extract, one stored member of %.2f GiB | cp | %.2f | %.2f | %.2f | %.1f MiB / %.1f MiB |\n",
    size / 1073741824, a, b, (b > 0 ? a / b : 0), am / 1024, bm / 1024 }'
