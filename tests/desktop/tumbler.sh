#!/usr/bin/env bash
# The thumbnails through a real thumbnail service: Debian's tumbler, in a private D-Bus session,
# asked over D-Bus as a file manager asks it (org.freedesktop.thumbnails.Thumbnailer1.Queue).
# Our file types and thumbnailer entry are installed into a scratch data folder, the built
# thumbnailer is on PATH, and each sample's thumbnail must appear in the thumbnail cache.
# Usage: tumbler.sh BIN_DIR SOURCE_DIR SAMPLES_DIR
set -euo pipefail
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ "${SKARDE_PRIVATE_BUS:-}" != 1 ]; then
  SKARDE_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
bin=$(readlink -f "$1")
source=$(readlink -f "$2")
samples=$(readlink -f "$3")
work=$(mktemp -d)
tumbler_pid=
cleanup() {
  [ -z "$tumbler_pid" ] || kill "$tumbler_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

data=$work/share
mkdir -p "$data/mime/packages" "$data/thumbnailers" "$work/files"
cp "$source/resources/mime/skardetools.xml" "$data/mime/packages/"
sed "s|^TryExec=.*|TryExec=$bin/skardetools-thumbnailer|; s|^Exec=skardetools-thumbnailer|Exec=$bin/skardetools-thumbnailer|" \
  "$source/resources/thumbnailers/skardetools.thumbnailer" >"$data/thumbnailers/skardetools.thumbnailer"
export XDG_DATA_DIRS="$data:/usr/share" XDG_DATA_HOME="$work/data-home"
export XDG_CACHE_HOME="$work/cache" HOME="$work/home"
update-mime-database "$data/mime"
for file in dunes.bmp icons.pba game.vol; do cp "$samples/$file" "$work/files/"; done
# A file it cannot show: named as a game image, with nothing of one inside.
printf 'PBMP' >"$work/files/broken.bmp"

tumblerd=$(ls /usr/lib/*/tumbler-1/tumblerd | head -1)
G_MESSAGES_DEBUG=all "$tumblerd" >"$work/tumblerd.log" 2>&1 &
tumbler_pid=$!
# Asked without starting it: the bus would start one of its own, without this environment.
for _ in $(seq 100); do
  gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.NameHasOwner org.freedesktop.thumbnails.Thumbnailer1 |
    grep -q true && break
  sleep 0.1
done

uris=() types=()
for file in dunes.bmp icons.pba game.vol broken.bmp; do
  uris+=("'file://$work/files/$file'")
  types+=("'$(gio info -a standard::content-type "$work/files/$file" |
    sed -n 's/^ *standard::content-type: //p')'")
done
join() { local IFS=,; echo "[$*]"; }
gdbus call --session --dest org.freedesktop.thumbnails.Thumbnailer1 \
  --object-path /org/freedesktop/thumbnails/Thumbnailer1 \
  --method org.freedesktop.thumbnails.Thumbnailer1.Queue \
  "$(join "${uris[@]}")" "$(join "${types[@]}")" normal default 0 >/dev/null

thumbnail_of() {
  local md5
  md5=$(printf '%s' "file://$work/files/$1" | md5sum | cut -d' ' -f1)
  echo "$XDG_CACHE_HOME/thumbnails/normal/$md5.png"
}
failed=0
for file in dunes.bmp icons.pba game.vol; do
  thumbnail=$(thumbnail_of "$file")
  for _ in $(seq 100); do [ -s "$thumbnail" ] && break; sleep 0.1; done
  if [ -s "$thumbnail" ]; then
    echo "$file: $(file -b "$thumbnail")"
  else
    echo "$file: no thumbnail in the cache" >&2
    failed=1
  fi
done
[ ! -e "$(thumbnail_of broken.bmp)" ] || { echo "broken.bmp has a thumbnail" >&2; failed=1; }
[ $failed = 0 ] || cat "$work/tumblerd.log" >&2
exit $failed
