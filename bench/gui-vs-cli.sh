#!/usr/bin/env bash
# Builds the programs in ./build-bench and times a run of the PBMP -> BMP window against
# skardetools-cli pbmp2bmp on the same images (offscreen, no display needed).
# Usage: bench/gui-vs-cli.sh [FILES [REPEATS]]   (default 2000 images of 256 x 256, best of 5)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARDE_BUILD_TESTS=OFF \
  -DSKARDE_BUILD_BENCH=ON
cmake --build build-bench -j2 --target gui_vs_cli
QT_QPA_PLATFORM=offscreen build-bench/bin/gui_vs_cli "$@"
