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

bash scripts/install-deps.sh
if [ ! -x /usr/bin/time ]; then
  apt_get=(apt-get)
  [ "$(id -u)" -eq 0 ] || apt_get=(sudo apt-get)
  DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" install -y -qq --no-install-recommends time
fi

build=build-bench-cli
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSKARDE_BUILD_GUI=OFF \
  -DSKARDE_BUILD_TESTS=OFF -DSKARDE_BUILD_BENCH=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 --target skardetools-cli makebigmember >/dev/null

# The archive, our output and cp's copy, with a tenth to spare.
needed=$((size * 33 / 10))
if [ -d /dev/shm ] && [ "$(df --output=avail -B1 /dev/shm | tail -1)" -gt "$needed" ]; then
  work=/dev/shm/skarde-bigmember
else
  work=$PWD/$build/bigmember
fi
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
archive=$work/big.vol
echo "Writing a member of $size bytes in $archive"
"$build/bin/makebigmember" "$archive" "$size"
cli=$PWD/$build/bin/skardetools-cli

# best COMMAND...: prints "seconds peak-KiB" of the fastest of $runs runs, each from an
# empty output folder.
best() {
  local fastest="" line
  for _ in $(seq "$runs"); do
    rm -rf "$work/out" && mkdir -p "$work/out"
    line=$(/usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -1)
    if [ -z "$fastest" ] || awk -v a="${line%% *}" -v b="${fastest%% *}" 'BEGIN { exit !(a < b) }'
    then
      fastest=$line
    fi
  done
  rm -rf "$work/out"
  echo "$fastest"
}

read -r ours oursKiB < <(best "$cli" vol extract -o "$work/out" "$archive")
read -r theirs theirsKiB < <(best cp "$archive" "$work/out/copy.vol")

echo
echo "$(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
  "$(. /etc/os-release && echo "$PRETTY_NAME"), $(date -u +%Y-%m-%d), files in $(dirname "$work")," \
  "best of $runs"
echo "| skardetools-cli | against | ours (s) | theirs (s) | ratio | peak memory, ours / theirs |"
echo "|---|---|---|---|---|---|"
awk -v size="$size" -v a="$ours" -v b="$theirs" -v am="$oursKiB" -v bm="$theirsKiB" 'BEGIN {
  printf "| vol extract, one stored member of %.2f GiB | cp | %.2f | %.2f | %.2f | %.1f MiB / %.1f MiB |\n",
    size / 1073741824, a, b, (b > 0 ? a / b : 0), am / 1024, bm / 1024 }'
