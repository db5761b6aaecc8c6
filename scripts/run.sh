#!/usr/bin/env bash
# Installs what is missing, builds ./build and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARDE_BUILD_TESTS=OFF
cmake --build build -j2
exec build/bin/skardetools-cli --help
