#!/usr/bin/env bash
# Packs the Windows build (scripts/build-windows.sh, run first) for players:
# build-windows/package/skardetools-<version>-windows-x64.zip holds skardetools.exe,
# skardetools-cli.exe, the shipped palettes in pals/ and README.txt. Prints the zip's path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-windows.sh >/dev/null

out=$PWD/build-windows
version=$(sed -n 's/^project(SkardeTools VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
qt_version=$(sed -n 's/^version=//p' scripts/build-qt-windows.sh)
name=skardetools-$version-windows-x64
stage=$out/package/$name
rm -rf "$stage" "$out/package/$name.zip"
mkdir -p "$stage/pals"
cp "$out/bin/skardetools.exe" "$out/bin/skardetools-cli.exe" "$stage/"
# Only the shipped palettes: the build's bin/pals may also hold the sample files' palettes.
cp pals/grey.pal "$stage/pals/"

# Windows text: CR LF line ends.
sed 's/$/\r/' >"$stage/README.txt" <<EOF
SkardeTools $version for Windows (64-bit)
=========================================

Converters for the game Skarde's images (PBMP), image arrays (PBA), palette lists (PPL)
and VOL archives.

Starting
--------
Unpack the whole folder anywhere (for example into "Documents\\SkardeTools") and
double-click skardetools.exe. Nothing needs installing: keep skardetools.exe,
skardetools-cli.exe and the pals folder together, as they are here; the programs take
their palettes from pals\\ beside them. Put the game's own palette files (<number>.pal)
into pals\\ to see images in their colours.

skardetools-cli.exe offers the same converters for scripts; from a command prompt in this
folder, "skardetools-cli.exe help" lists its commands.

Settings
--------
The program keeps its settings (the main window's place, the web bookmarks) in the registry
under HKEY_CURRENT_USER\\Software\\SkardeTools\\SkardeTools. Deleting that key returns
to the defaults; deleting this folder and that key removes SkardeTools completely.

Inside
------
skardetools.exe contains Qt $qt_version (the Core, Gui and Widgets modules and the Windows
platform plugin), linked statically. Qt is (c) The Qt Company Ltd. and other contributors
and is used under the GNU Lesser General Public License version 3 (LGPL-3.0); its text is
at https://www.gnu.org/licenses/lgpl-3.0.html. The Qt inside was built from Debian 12's
source package qt6-base $qt_version ("apt-get source qt6-base" on Debian 12, or any Debian
mirror, or https://sources.debian.org/src/qt6-base/).
As the LGPL asks of a statically linked library, you may relink SkardeTools against your
own build of Qt: SkardeTools' source, with the scripts that build this package
(scripts/build-qt-windows.sh builds that Qt, scripts/build-windows.sh links the program
against it), comes with the SkardeTools source release of version $version, from where you
got this package, or on request from skardetools@example.org.

Bundled inside Qt: zlib, PCRE2, libpng, libjpeg, FreeType and HarfBuzz, under their own
permissive licences.
EOF

# cmake writes zip archives itself, so no zip program is needed.
(cd "$out/package" && cmake -E tar cf "$name.zip" --format=zip "$name")
echo "$out/package/$name.zip"
