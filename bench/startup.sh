#!/usr/bin/env bash
# Start-up cost of the program: starts it RUNS times on the offscreen platform with fresh
# settings, waits until it sits idle on its splash (no CPU time used for 300 ms), and prints
# the medians of the wall time until then, the CPU time used, the resident memory and the
# number of mapped files, and whether the web engine is mapped.
#
#   usage: bash bench/startup.sh [PROGRAM] [RUNS]     (default build/bin/skardetools, 10)
set -euo pipefail
program=$(readlink -f "${1:-build/bin/skardetools}")
runs=${2:-10}
ticks_per_second=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

walls=() cpus=() rss=() maps=() engine=no
for _ in $(seq "$runs"); do
  home=$(mktemp -d)
  start=$(date +%s%N)
  HOME=$home XDG_CONFIG_HOME=$home/.config QT_QPA_PLATFORM=offscreen "$program" >/dev/null 2>&1 &
  pid=$!
  last=-1 idle_since=$start
  while :; do
    sleep 0.02
    now=$(date +%s%N)
    ticks=$(cpu_ticks "$pid")
    if [ "$ticks" != "$last" ]; then
      last=$ticks idle_since=$now
    elif [ $((now - idle_since)) -ge 300000000 ]; then
      break
    fi
  done
  walls+=($(((idle_since - start) / 1000000)))
  cpus+=($((ticks * 1000 / ticks_per_second)))
  rss+=($(awk '/VmRSS/ {print $2}' "/proc/$pid/status"))
  maps+=($(awk '$6 ~ /^\// {print $6}' "/proc/$pid/maps" | sort -u | wc -l))
  grep -q libQt6WebEngine "/proc/$pid/maps" && engine=yes
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  rm -rf "$home"
done

echo "program:           $program ($runs runs, medians)"
echo "until idle:        $(printf '%s\n' "${walls[@]}" | median) ms"
echo "CPU time:          $(printf '%s\n' "${cpus[@]}" | median) ms"
echo "resident memory:   $(printf '%s\n' "${rss[@]}" | median) KiB"
echo "mapped files:      $(printf '%s\n' "${maps[@]}" | median)"
echo "web engine mapped: $engine"
