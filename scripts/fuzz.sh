#!/usr/bin/env bash
# Builds the fuzz targets with clang in ./build-fuzz and runs each for a while.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60)
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
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSKARDE_BUILD_FUZZERS=ON -DSKARDE_BUILD_TESTS=OFF
cmake --build build-fuzz -j2 --target voldirectory_fuzz makevolseeds converters_fuzz makesamples
corpus=build-fuzz/corpus/voldirectory
mkdir -p "$corpus"
build-fuzz/bin/makevolseeds "$corpus"
build-fuzz/bin/voldirectory_fuzz -max_total_time="$seconds" -max_len=4096 \
  -artifact_prefix=build-fuzz/ "$corpus"
# The sample files are the converters' seeds.
corpus=build-fuzz/corpus/converters
mkdir -p "$corpus"
build-fuzz/samplegen/makesamples "$corpus" build-fuzz/corpus/pals
rm -rf "$corpus/out"
build-fuzz/bin/converters_fuzz -max_total_time="$seconds" -max_len=16384 \
  -artifact_prefix=build-fuzz/ "$corpus"
