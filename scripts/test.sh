#!/usr/bin/env bash
# Installs what is missing, builds everything in ./build and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# CI sets SKARDE_WARNINGS_AS_ERRORS=ON; a user building on a newer compiler need not.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARDE_BUILD_TESTS=ON \
  -DSKARDE_WARNINGS_AS_ERRORS="${SKARDE_WARNINGS_AS_ERRORS:-OFF}"
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
