#!/usr/bin/env bash
# Runs the Windows build of ./build-windows under Wine: the core and CLI tests, every
# subcommand of skardetools-cli.exe on the sample game files (made by a native build of the
# sample generator), the window tests on Qt's offscreen platform, and skardetools.exe started
# on a virtual X server and used as a player would (tests/windows/startup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-windows.sh

out=$PWD/build-windows
export WINEDEBUG=-all WINEPREFIX=$out/wineprefix WINEDLLOVERRIDES="mscoree,mshtml="
# Debian's wine64 package alone puts its loader and server in /usr/lib/wine, off the PATH.
export PATH=$PATH:/usr/lib/wine
wine=$(command -v wine64 || command -v wine)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot --init >/dev/null 2>&1
  wineserver -w 2>/dev/null || true
fi

echo "== core tests under Wine"
"$wine" "$out/bin/core_tests.exe" --gtest_brief=1

echo "== CLI tests under Wine"
"$wine" "$out/bin/cli_tests.exe" --gtest_brief=1

echo "== sample files"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$out/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARDE_BUILD_GUI=OFF \
  -DSKARDE_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$out/native" -j2 --target samples shipped_pals >/dev/null
samples=$out/native/samples
pals=$out/native/bin/pals

echo "== skardetools-cli.exe under Wine"
smoke=$out/smoke
rm -rf "$smoke"
mkdir -p "$smoke"/{pbmp,bmp,pba,pal,vol}
cli() { "$wine" "$out/bin/skardetools-cli.exe" "$@"; }
expect_file() {
  [ -s "$1" ] || { echo "missing: $1" >&2; exit 1; }
}
cli --help >/dev/null
cli bmp2pbmp --palette Desert -o "$smoke/pbmp" "$samples/crest-windows.bmp"
expect_file "$smoke/pbmp/crest-windows.bmp"
cli pbmp2bmp --pals "$pals" -o "$smoke/bmp" "$samples/dunes.bmp" "$smoke/pbmp/crest-windows.bmp"
expect_file "$smoke/bmp/dunes.bmp"
expect_file "$smoke/bmp/crest-windows.bmp"
cli pba2bmp --pals "$pals" -o "$smoke/pba" "$samples/icons.pba"
expect_file "$smoke/pba/icons0.bmp"
cli ppl2pal --yes -o "$smoke/pal" "$samples/worlds.ppl"
ls "$smoke/pal"/*.pal >/dev/null
cli vol list "$samples/game.vol" | tr -d '\r' > "$smoke/list.txt"
[ -s "$smoke/list.txt" ]
cli vol extract --convert --pals "$pals" -o "$smoke/vol" "$samples/game.vol"
[ -n "$(find "$smoke/vol" -type f)" ] || { echo "vol extract wrote nothing" >&2; exit 1; }
echo "== skardetools.exe: a window program with its icon and version, stripped"
version=$(sed -n 's/^project(SkardeTools VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
bash tests/windows/checkexe.sh "$out/bin/skardetools.exe" "$version"
# Answered without a display, as on Linux.
answer=$(env -u DISPLAY "$wine" "$out/bin/skardetools.exe" --version | tr -d '\r')
[ "$answer" = "skardetools $version" ] || { echo "skardetools.exe --version: $answer" >&2; exit 1; }

echo "== window tests under Wine (offscreen)"
# Qt's offscreen platform on Windows reads its fonts from one folder: the serif font that Wine
# draws the program with when it has no fonts of its own (fonts-liberation2), the tallest
# fallback a player may meet.
fonts=$out/fonts
rm -rf "$fonts"
mkdir -p "$fonts"
cp /usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf \
  /usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf "$fonts/"
# Wine keeps QT_ variables to its Unix side: the test program hands the folder on to Qt.
SKARDE_GUI_TEST_FONTS=$("$wine" winepath -w "$fonts" | tr -d '\r') \
  "$wine" "$out/bin/gui_tests.exe" --gtest_brief=1

echo "== skardetools.exe started under Wine on a virtual X server"
cmake --build "$out/native" -j2 --target skardetools-cli >/dev/null
bash tests/windows/startup.sh "$out/bin" "$out/native/bin" "$samples" "$out/startup"
echo "Windows build: all checks passed"
