#!/usr/bin/env bash
# Runs the monkey (tests/monkey) on the sanitizer build: random user input to the whole program
# from seed SEED, for EVENTS events, then File > Exit. A failure prints the seed, the event and
# the last events; the same command replays it exactly. Builds ./build-sanitize when needed.
# Usage: scripts/monkey.sh SEED EVENTS [--seconds S] [--verbose] [--plant FAULT]
#        MONKEY_BUILD=build scripts/monkey.sh ...   (another build folder, e.g. without sanitizers)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  sed -n '2,7p' "$0" >&2
  exit 2
fi
seed=$1 events=$2
shift 2
build=${MONKEY_BUILD:-build-sanitize}
monkey=$build/bin/skardetools-monkey
if [ "$build" = build-sanitize ]; then
  [ -x "$monkey" ] || bash scripts/sanitize.sh --build-only
  source scripts/sanitizeroptions.sh "$build"
fi
exec "$monkey" --seed "$seed" --events "$events" "$@"
