#!/usr/bin/env bash
# Checks the Windows zip of scripts/package-windows.sh: both programs, the shipped palettes and a
# README.txt in Windows line ends that says how to start, where the settings live and which Qt is
# inside under which licence, all in one folder named after the zip.
# Usage: checkzip.sh skardetools-<version>-windows-x64.zip
set -euo pipefail
zip=$(readlink -f "$1")
name=$(basename "$zip" .zip)
fail() {
  echo "checkzip: $zip: $1" >&2
  exit 1
}

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
(cd "$unpacked" && cmake -E tar xf "$zip")
expected=$(printf '%s\n' "$name/README.txt" "$name/pals/grey.pal" "$name/skardetools-cli.exe" \
  "$name/skardetools.exe")
actual=$(cd "$unpacked" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$expected" ] || fail "holds $(echo "$actual" | tr '\n' ' ')"

readme=$unpacked/$name/README.txt
grep -q $'\r$' "$readme" || fail "README.txt has no Windows line ends"
for promise in "skardetools.exe" "HKEY_CURRENT_USER\\Software\\SkardeTools\\SkardeTools" \
  "Qt $(sed -n 's/^version=//p' "$(dirname "$0")/../../scripts/build-qt-windows.sh")" \
  "GNU Lesser General Public License" "statically" "source package qt6-base" "SkardeTools' source"; do
  grep -qF "$promise" "$readme" || fail "README.txt does not say \"$promise\""
done
cmp -s "$unpacked/$name/pals/grey.pal" "$(dirname "$0")/../../pals/grey.pal" ||
  fail "pals/grey.pal is not the shipped palette"
echo "checkzip: $zip: both programs, pals/, README.txt"
