#!/usr/bin/env bash
# Lists which folder of src/ includes headers from which other folder, with a count of the
# includes. With --check it fails when an include points back against the intended order:
#   core <- converters <- archive, png <- cli <- thumbnailer
#                                      <- widgets <- tools, browser <- app
# (the CLI and the windows build on the standard-library folders; nothing includes app).
set -euo pipefail
cd "$(dirname "$0")/../src"

# A source's folder is the first part of its path: app/prompts/ belongs to app.
edges=$(grep -rHoE '^#include "[a-z]+/[^"]+"' --include='*.h' --include='*.cpp' . |
  sed -E 's|^\./||; s|:#include "| |; s|"$||' |
  while read -r file header; do
    echo "${file%%/*} ${header%%/*}"
  done | awk '$1 != $2' | sort | uniq -c)

if [ "${1:-}" != "--check" ]; then
  echo "$edges" | awk 'NF { printf "%-11s -> %-11s %s\n", $2, $3, $1 }'
  exit 0
fi

# Two folders of one rank may not include each other either.
rank() {
  case "$1" in
    core) echo 0 ;; converters) echo 1 ;; archive) echo 2 ;; png) echo 2 ;; cli) echo 3 ;;
    thumbnailer) echo 4 ;; widgets) echo 3 ;;
    tools) echo 4 ;; browser) echo 4 ;; app) echo 5 ;; *) echo unknown ;;
  esac
}
status=0
while read -r count from to; do
  [ -n "$from" ] || continue
  if [ "$(rank "$from")" = unknown ] || [ "$(rank "$to")" = unknown ]; then
    echo "unknown folder: $from includes $to ($count); give it a rank here" >&2
    status=1
  elif [ "$(rank "$from")" -le "$(rank "$to")" ]; then
    echo "points back: $from includes $to ($count)" >&2
    status=1
  fi
done <<<"$edges"
exit $status
