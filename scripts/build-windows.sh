#!/usr/bin/env bash
# Cross-builds the core, skardetools-cli.exe, the desktop program skardetools.exe and their
# tests for 64-bit Windows into ./build-windows, with the MinGW-w64 compiler, against the static
# Qt of scripts/build-qt-windows.sh (built first when it is not in its cache folder yet).
# Installs what is missing first; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make g++-mingw-w64-x86-64-posix googletest wine64 binutils-mingw-w64-x86-64
  fonts-liberation2)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then apt_get=(apt-get); else apt_get=(sudo apt-get); fi
  export DEBIAN_FRONTEND=noninteractive
  "${apt_get[@]}" update -qq
  "${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

out=build-windows
toolchain=$PWD/cmake/mingw-w64-x86_64.cmake
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# GoogleTest from Debian's sources, built once with the same compiler.
gtest_prefix=$PWD/$out/googletest
if [ ! -f "$gtest_prefix/lib/libgtest.a" ]; then
  cmake -S /usr/src/googletest -B "$out/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF \
    -DCMAKE_INSTALL_PREFIX="$gtest_prefix" "${launcher[@]}" >/dev/null
  cmake --build "$out/googletest-build" -j2 >/dev/null
  cmake --install "$out/googletest-build" >/dev/null
fi

# Its progress and build time go to standard error; the folder comes out alone.
qt=$(bash scripts/build-qt-windows.sh | tail -n 1)

# The build draws the program's artwork with a program of its own, run under Wine as the
# toolchain's emulator; its prefix is the one the tests use.
export WINEDEBUG=-all WINEPREFIX=$PWD/$out/wineprefix WINEDLLOVERRIDES="mscoree,mshtml="
export PATH=$PATH:/usr/lib/wine
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$(command -v wine64 || command -v wine)" wineboot --init >/dev/null 2>&1
  wineserver -w 2>/dev/null || true
fi

# No web engine is built for MinGW: web pages open in the desktop's browser. Qt's own tools
# (moc, rcc, uic) are the host's, of the same version.
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DSKARDE_BUILD_GUI=ON -DSKARDE_BUILD_BROWSER=OFF -DSKARDE_BUILD_TESTS=ON \
  -DCMAKE_PREFIX_PATH="$gtest_prefix;$qt" -DQt6_DIR="$qt/lib/cmake/Qt6" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${launcher[@]}" >/dev/null
cmake --build "$out" -j2 --target skardetools-cli core_tests cli_tests skardetools gui_tests
