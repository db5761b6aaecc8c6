#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh built in BUILD_DIR: its name and fields, and
# that its programs, unpacked with dpkg-deb -x, work as an installation does.
# Usage: tests/install/checkpackage.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build}"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/package/skardetools_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "no package $deb" >&2; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = skardetools ] || { echo "wrong package name: $(field Package)" >&2; exit 1; }
[ "$(field Version)" = "$version" ] || { echo "wrong version: $(field Version)" >&2; exit 1; }
case "$(field Depends)" in
  *libqt6widgets6*) ;;
  *) echo "the Qt runtime is not a dependency: $(field Depends)" >&2; exit 1 ;;
esac

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
browser=0
[ -e "$build/lib/skardetools/skardebrowser.so" ] && browser=1
cmake -DROOT="$unpacked/usr" -DSAMPLE="$build/samples/dunes.bmp" -DVERSION="$version" \
  -DBROWSER="$browser" -P tests/install/checkinstallation.cmake
echo "$deb: $(du -k "$deb" | cut -f1) KiB"
dpkg -I "$deb"
