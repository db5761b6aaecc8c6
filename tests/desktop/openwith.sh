#!/usr/bin/env bash
# The program started as a file manager starts it for "Open with", a real process on a real X
# server (Xvfb): with files, the main window comes up at once, without the splash, and a file of
# no known kind gets a message while the program stays open; without files, the splash as ever.
# Usage: openwith.sh PROGRAM SAMPLES_DIR
set -euo pipefail
program=$1
samples=$2
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
for n in $(seq 70 99); do [ -e /tmp/.X11-unix/X$n ] || break; done
Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
export DISPLAY=:$n HOME=$work XDG_CONFIG_HOME=$work/.config
unset QT_QPA_PLATFORM

# The names of the program's visible windows, one a line, sorted.
visible_windows() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    xdotool getwindowname "$id"
  done | sort
}
# Waits up to 10 s for the program's visible windows to be exactly the given lines.
expect_windows() {
  local pid=$1 wanted=$2 found
  for _ in $(seq 100); do
    found=$(visible_windows "$pid")
    [ "$found" = "$wanted" ] && return 0
    sleep 0.1
  done
  echo "visible windows: [$found], expected [$wanted]" >&2
  return 1
}

echo hello >"$work/notes.txt"
"$program" "$samples/game.vol" "$work/notes.txt" >"$work/with-files.log" 2>&1 &
app=$!
pids+=($app)
# The main window and the message about notes.txt; no splash.
expect_windows $app $'Project1\nSkardeTools'
# Answered as a user answers it: the key goes to the window that has the focus. Without a
# window manager the focus can come late, so the key is tried again until the message is gone.
for _ in $(seq 10); do
  message=$(xdotool search --onlyvisible --name '^SkardeTools$' | head -1 || true)
  [ -n "$message" ] || break
  xdotool windowfocus --sync "$message" 2>/dev/null || true
  sleep 0.3
  xdotool key Return
  sleep 0.3
done
expect_windows $app 'Project1'
sleep 0.5
kill -0 $app || { echo "the program ended after the message" >&2; exit 1; }
kill $app

"$program" >"$work/without-files.log" 2>&1 &
app=$!
pids+=($app)
# Only the splash, whatever its name: one window, and not the main window.
for _ in $(seq 100); do
  [ -n "$(visible_windows $app)" ] && break
  sleep 0.1
done
sleep 1
found=$(visible_windows $app)
if [ "$(wc -l <<<"$found")" != 1 ] || [ "$found" = Project1 ] || [ -z "$found" ]; then
  echo "without files the program shows [$found], not its splash alone" >&2
  exit 1
fi
echo "with files: the main window and one message; without: the splash ($found)"
