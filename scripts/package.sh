#!/usr/bin/env bash
# Installs what is missing, builds ./build and packs the programs as Debian packages,
# build/package/skardetools_<version>_<arch>.deb and, where the browser module is built,
# build/package/skardetools-browser_<version>_<arch>.deb, whose paths it prints last.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARDE_BUILD_TESTS=OFF
cmake --build build -j2
rm -f build/package/skardetools_*.deb build/package/skardetools-browser_*.deb
(cd build && cpack -G DEB -B package)
ls build/package/skardetools*_*.deb
