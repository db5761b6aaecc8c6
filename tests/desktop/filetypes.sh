#!/usr/bin/env bash
# Asks the desktop's own tools which file types the sample files have, once our description is
# in a private file type database (update-mime-database on a scratch data folder): gio, and
# xdg-mime as a desktop that asks gio (Xfce) runs it.
# Usage: filetypes.sh MIME_XML SAMPLES_DIR
set -euo pipefail
xml=$1
samples=$2
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mkdir -p "$data/mime/packages"
cp "$xml" "$data/mime/packages/skardetools.xml"
export XDG_DATA_DIRS="$data:/usr/share" XDG_DATA_HOME="$data/home"
update-mime-database "$data/mime"

# Game images named like Windows bitmaps, and one named like nothing at all.
cp "$samples/dunes.bmp" "$data/dunes-without-name"
failed=0
expect() {
  local file=$1 wanted=$2 found
  found=$(gio info -a standard::content-type "$file" | sed -n 's/^ *standard::content-type: //p')
  if [ "$found" != "$wanted" ]; then
    echo "gio: $file is $found, not $wanted" >&2
    failed=1
  fi
  found=$(XDG_CURRENT_DESKTOP=XFCE xdg-mime query filetype "$file")
  if [ "$found" != "$wanted" ]; then
    echo "xdg-mime: $file is $found, not $wanted" >&2
    failed=1
  fi
}
expect "$samples/dunes.bmp" image/x-skarde-pbmp
expect "$samples/frost.bmp" image/x-skarde-pbmp
expect "$data/dunes-without-name" image/x-skarde-pbmp
expect "$samples/crest-windows.bmp" image/bmp
expect "$samples/icons.pba" image/x-skarde-pba
expect "$samples/game.vol" application/x-skarde-vol
expect "$samples/worlds.ppl" application/x-skarde-ppl
# Every type has a readable description.
for type in image/x-skarde-pbmp image/x-skarde-pba application/x-skarde-vol \
  application/x-skarde-ppl; do
  grep -q "<comment>Skarde " "$data/mime/${type}.xml" || { echo "no comment for $type" >&2; failed=1; }
done
exit $failed
