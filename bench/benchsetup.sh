# The steps the benchmark scripts share; sourced by them from the project's root, after
# `set -euo pipefail`. Not a script of its own.

# install_missing PACKAGE...: the project's own packages, then those of the given Debian
# packages that are not installed yet (through sudo when not root).
install_missing() {
  bash scripts/install-deps.sh
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  local apt_get=(apt-get)
  [ "$(id -u)" -eq 0 ] || apt_get=(sudo apt-get)
  DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# build_bench TARGET...: a Release build of the command line and the benchmark programs in
# build-bench-cli (with ccache when present); sets build and cli.
build_bench() {
  build=build-bench-cli
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DSKARDE_BUILD_GUI=OFF \
    -DSKARDE_BUILD_TESTS=OFF -DSKARDE_BUILD_BENCH=ON "${launcher[@]}" >/dev/null
  cmake --build "$build" -j2 --target skardetools-cli "$@" >/dev/null
  cli=$PWD/$build/bin/skardetools-cli
}

# use_work_folder NAME SIZE: a folder for three files of SIZE bytes with a tenth to spare, in
# /dev/shm when it has the room, else in the build folder; removed when the script ends. Sets
# work.
use_work_folder() {
  local needed=$(($2 * 33 / 10))
  if [ -d /dev/shm ] && [ "$(df --output=avail -B1 /dev/shm | tail -1)" -gt "$needed" ]; then
    work=/dev/shm/skarde-$1
  else
    work=$PWD/$build/$1
  fi
  mkdir -p "$work"
  trap 'rm -rf "$work"' EXIT
}

# best OUT COMMAND...: prints "seconds peak-KiB" of the fastest of $runs runs by GNU time, each
# into an empty folder OUT.
best() {
  local out=$1 fastest="" line
  shift
  for _ in $(seq "$runs"); do
    rm -rf "$out" && mkdir -p "$out"
    line=$(/usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -1)
    if [ -z "$fastest" ] || awk -v a="${line%% *}" -v b="${fastest%% *}" 'BEGIN { exit !(a < b) }'
    then
      fastest=$line
    fi
  done
  rm -rf "$out"
  echo "$fastest"
}
