#!/usr/bin/env bash
# skardetools.exe as a player meets it, under Wine's X11 driver on a virtual X server: start it
# in a folder holding game.vol, press Continue on the splash, open the VOL File Extractor from the
# Tools menu, pick game.vol, mark every member, tick "PBMP -> BMP" and press START. What it
# writes must equal, byte for byte, what the native build's skardetools-cli writes from the same
# archive with the same palettes. Driven by the keyboard only, so no screen position is assumed;
# a screenshot of each step lands in WORK/screens.
# Usage: startup.sh WINDOWS_BIN NATIVE_BIN SAMPLES WORK   (WINEPREFIX as the caller set it)
set -euo pipefail
windows_bin=$(readlink -f "$1")
native_bin=$(readlink -f "$2")
samples=$(readlink -f "$3")
work=$(readlink -m "$4")

packages=(xvfb xdotool imagemagick)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then apt_get=(apt-get); else apt_get=(sudo apt-get); fi
  DEBIAN_FRONTEND=noninteractive "${apt_get[@]}" install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

export WINEDEBUG=-all PATH=$PATH:/usr/lib/wine
wine=$(command -v wine64 || command -v wine)

rm -rf "$work"
mkdir -p "$work/program/pals" "$work/player" "$work/expected" "$work/screens"
cp "$windows_bin/skardetools.exe" "$work/program/"
cp "$native_bin"/pals/*.pal "$work/program/pals/"
cp "$samples/game.vol" "$work/player/"
"$native_bin/skardetools-cli" vol extract --convert --pals "$native_bin/pals" \
  -o "$work/expected" "$work/player/game.vol" >"$work/expected.log" 2>&1

for display in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$display" ] || break; done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$display
program=
finish() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap finish EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

step=0
screenshot() {
  step=$((step + 1))
  last_shot=$work/screens/$(printf '%02d' "$step")-$1.png
  import -window root "$last_shot"
}
fail() {
  screenshot failed
  echo "startup: $1 (screenshots in $work/screens)" >&2
  exit 1
}
# Gives the keyboard to the first shown window whose title matches.
focus_window() {
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "$1" | head -n 1) ||
    fail "no window named '$1'"
  xdotool windowfocus --sync "$window"
  sleep 0.5
}
# One key at a time, each given time to act.
keys() {
  local key
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.4
  done
}
# The centre of the largest part of the screen that changed between two screenshots.
centre_of_change() {
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 \
    -define connected-components:verbose=true -connected-components 8 null: |
    awk '$NF == "gray(255)" && $4 > area { area = $4; centre = $3 } END { print centre }' |
    awk -F, '{ printf "%d %d\n", $1, $2 }'
}

(cd "$work/player" && exec "$wine" "$work/program/skardetools.exe") >"$work/program.log" 2>&1 &
program=$!

# The splash: no title of its own.
splash=$(timeout 90 xdotool search --sync --onlyvisible --classname 'skardetools' | head -n 1) ||
  fail "the program showed no window"
sleep 3
screenshot splash
xdotool windowfocus --sync "$splash"
keys space
focus_window '^Project1$'
screenshot main-window

# Tools > VOL File Extractor, the third entry.
keys alt+t Down Down Return
sleep 2
screenshot extractor
# The archive loads when its row in the file list is clicked: the row is found as what changes
# when the keyboard selects it (the list holds only game.vol).
keys Tab Tab
screenshot file-list-focused
before=$last_shot
keys space
screenshot game-vol-selected
read -r x y <<<"$(centre_of_change "$before" "$last_shot")"
[ -n "$x" ] || fail "game.vol's row was not found"
xdotool mousemove "$x" "$y" click 1
sleep 2
screenshot game-vol-loaded
# From the file list: five steps to "Mark All Files", one more to "PBMP -> BMP", and START
# three steps back.
keys Tab Tab Tab Tab Tab space Tab space shift+Tab shift+Tab shift+Tab
screenshot marked
keys space
# frost.bmp takes its colours from the game world: the palette dialog offers grey first.
focus_window '^Select Pal$'
screenshot palette-dialog
keys Return

expected_files=$(cd "$work/expected" && find . -type f | LC_ALL=C sort)
for _ in $(seq 60); do
  written=$(cd "$work/player" && find . -type f ! -name game.vol | LC_ALL=C sort)
  [ "$written" = "$expected_files" ] && break
  sleep 1
done
sleep 2
screenshot extracted
diff -r --exclude=game.vol "$work/expected" "$work/player" >"$work/differences.txt" ||
  fail "the extracted files differ from the native build's: $(head -c 600 "$work/differences.txt")"
echo "startup: skardetools.exe extracted $(echo "$expected_files" | wc -l) members of game.vol" \
  "as the native build does (screenshots in $work/screens)"
