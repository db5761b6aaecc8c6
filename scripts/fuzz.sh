#!/usr/bin/env bash
# Builds the fuzz targets with clang (ASan and UBSan) in ./build-fuzz and runs each for a while,
# starting from generated seeds and the hostile inputs kept in tests/data. A fuzzer that finds a
# crash stops the script with a non-zero status and leaves the input as build-fuzz/crash-*.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60, per target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/install-deps.sh
for package in clang-14 libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    apt_get=(apt-get)
    [ "$(id -u)" -eq 0 ] || apt_get=(sudo apt-get)
    DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" install -y -qq --no-install-recommends \
      clang-14 libclang-rt-14-dev
    break
  fi
done
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSKARDE_BUILD_FUZZERS=ON -DSKARDE_BUILD_TESTS=OFF -DSKARDE_BUILD_GUI=OFF "${launcher[@]}"
cmake --build build-fuzz -j2 --target voldirectory_fuzz volwriter_fuzz makevolseeds converters_fuzz \
  makesamples

# Copies the hostile inputs of the given formats into a corpus folder, named after their format.
add_hostile_seeds() {
  local corpus=$1 format file
  shift
  for format in "$@"; do
    for file in tests/data/"$format"/*; do
      cp "$file" "$corpus/hostile-$format-$(basename "$file")"
    done
  done
}

corpus=build-fuzz/corpus/voldirectory
mkdir -p "$corpus"
build-fuzz/bin/makevolseeds "$corpus"
add_hostile_seeds "$corpus" vol
build-fuzz/bin/voldirectory_fuzz -max_total_time="$seconds" -max_len=4096 \
  -artifact_prefix=build-fuzz/ "$corpus"
# The writer's seeds are the same archives behind two changes (a replace and an add);
# the fuzzer varies both from there.
writer_corpus=build-fuzz/corpus/volwriter
mkdir -p "$writer_corpus"
for seed in "$corpus"/*; do
  { printf '\x02\x00\x00\x05\x01\x00\x07'; cat "$seed"; } \
    >"$writer_corpus/$(basename "$seed")"
done
build-fuzz/bin/volwriter_fuzz -max_total_time="$seconds" -max_len=4096 \
  -artifact_prefix=build-fuzz/ "$writer_corpus"
# The sample files are the converters' seeds. Palette files are not among them: the converters
# fuzzer reads every input as an image or a palette list, never as a palette.
corpus=build-fuzz/corpus/converters
mkdir -p "$corpus"
build-fuzz/samplegen/makesamples "$corpus" build-fuzz/corpus/pals
rm -rf "$corpus/out"
# A sound 8-bit indexed PNG (written by pbmp2bmp --format png) beside the bitmaps, for the way
# back.
cp fuzz/seeds/indexed-8bit.png "$corpus/"
add_hostile_seeds "$corpus" pbmp pba ppl bmp png
build-fuzz/bin/converters_fuzz -max_total_time="$seconds" -max_len=16384 \
  -artifact_prefix=build-fuzz/ "$corpus"
