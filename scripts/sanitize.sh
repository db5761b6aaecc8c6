#!/usr/bin/env bash
# Builds everything (the program, the browser module, every test and the monkey) with
# AddressSanitizer and UndefinedBehaviorSanitizer in ./build-sanitize and runs the whole test
# suite there. Any sanitizer report fails it; tests/sanitize/suppressions.txt names the only
# third-party libraries whose reports are tolerated.
# Usage: scripts/sanitize.sh [--build-only]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
build=build-sanitize
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# -O1 with line tables only: the sanitizers' own advice, and a cold build a third quicker.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARDE_BUILD_TESTS=ON \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DSKARDE_SANITIZE=ON "${launcher[@]}" \
  >/dev/null
cmake --build "$build" -j2
source scripts/sanitizeroptions.sh "$build"
[ "${1:-}" = --build-only ] && exit 0

export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
# The monkey's planted-fault tests run in the plain build's suite; here the monkey runs on its
# own after this (scripts/monkey.sh).
ctest --test-dir "$build" --output-on-failure -j2 -E '^monkey_catches_'
# A report that a test tolerated (a child process that died, say) still fails the run.
if grep -E -n 'ERROR: (Address|Leak)Sanitizer|runtime error:' \
  "$build/Testing/Temporary/LastTest.log"; then
  echo "sanitize.sh: sanitizer reports above" >&2
  exit 1
fi
