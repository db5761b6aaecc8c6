#!/usr/bin/env bash
# Lists which folder of src/ includes headers from which other folder, with a count of the
# includes. With --check it fails when an include points back up the intended order:
# converters <- vol core <- gui <- vol windows and browser <- tools <- shell; the CLI on the core.
set -euo pipefail
cd "$(dirname "$0")/../src"

# The folder a source belongs to; the archive windows in vol/ sit above the tool windows.
layer_of() {
  case "$1" in
    vol/*window*) echo volwindows ;;
    *) echo "${1%%/*}" ;;
  esac
}

edges=$(grep -rHoE '^#include "[a-z]+/[^"]+"' --include='*.h' --include='*.cpp' . |
  sed -E 's|^\./||; s|:#include "| |; s|"$||' |
  while read -r file header; do
    echo "$(layer_of "$file") $(layer_of "$header")"
  done | awk '$1 != $2' | sort | uniq -c)

if [ "${1:-}" != "--check" ]; then
  echo "$edges" | awk 'NF { printf "%-11s -> %-11s %s\n", $2, $3, $1 }'
  exit 0
fi

rank() {
  case "$1" in
    converters) echo 0 ;; vol) echo 1 ;; filebuilders) echo 1 ;; gui) echo 2 ;; tools) echo 4 ;;
    volwindows) echo 3 ;; browser) echo 3 ;; cli) echo 2 ;; shell) echo 5 ;; *) echo 9 ;;
  esac
}
status=0
while read -r count from to; do
  [ -n "$from" ] || continue
  if [ "$(rank "$from")" -le "$(rank "$to")" ]; then
    echo "points back: $from includes $to ($count)" >&2
    status=1
  fi
done <<<"$edges"
exit $status
