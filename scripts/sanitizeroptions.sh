# Sourced by scripts/sanitize.sh and scripts/monkey.sh: the sanitizer options of a run in the
# build folder $1, with the suppressions of tests/sanitize/suppressions.txt.
sanitizer_build=${1:?build folder}
suppressions=tests/sanitize/suppressions.txt
grep '^leak:' "$suppressions" >"$sanitizer_build/lsan.supp"
asan_extra=$(sed -n 's/^option://p' "$suppressions" | paste -sd: -)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:${asan_extra}"
export LSAN_OPTIONS="suppressions=$PWD/$sanitizer_build/lsan.supp:print_suppressions=0"
# abort_on_error: the monkey reports its last events from the SIGABRT that follows.
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:abort_on_error=1"
