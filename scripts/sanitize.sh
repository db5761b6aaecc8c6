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
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARDE_BUILD_TESTS=ON \
  -DSKARDE_SANITIZE=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j2
source scripts/sanitizeroptions.sh "$build"
[ "${1:-}" = --build-only ] && exit 0

export QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
ctest --test-dir "$build" --output-on-failure -j2
# A report that a test tolerated (a child process that died, say) still fails the run; only
# the crash the monkey's own test plants on purpose (tests/monkey/plantedfault.cpp) is expected.
if grep -E -n 'ERROR: (Address|Leak)Sanitizer|runtime error:' \
  "$build/Testing/Temporary/LastTest.log" | grep -v 'tests/monkey/plantedfault\.cpp'; then
  echo "sanitize.sh: sanitizer reports above" >&2
  exit 1
fi
