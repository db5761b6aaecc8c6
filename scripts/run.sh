#!/usr/bin/env bash
# Installs what is missing, builds ./build and starts the program in the sample files' folder,
# so that every tool window opens on files to try.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARDE_BUILD_TESTS=OFF
cmake --build build -j2
cd build/samples
# The browser's web engine will not start its sandbox as root.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
exec ../bin/skardetools
