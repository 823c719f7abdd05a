#!/usr/bin/env bash
# Builds everything and runs every test (also what CI runs).
#   tools/test.sh            normal build and tests
#   tools/test.sh --all      also the Debian package installed and started, the sanitizer
#                            build of the whole suite and a short fuzz run
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=${JOBS:-2}

# Warnings are errors here: CI fails on a new one.
run_suite() {
  local dir=$1; shift
  tools/configure.sh "$dir" -DCOMPASS_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300
}

run_suite build -DCMAKE_BUILD_TYPE=Release

if [ "${1:-}" = "--all" ]; then
  tools/package-check.sh build
  # AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer over the same tests.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # Line tables are enough for the sanitizers' stack traces, and build much faster than full debug info.
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only \
    -DCOMPASS_SANITIZE=ON -DCOMPASS_BENCH=OFF
  bash tests/fuzz/run_fuzz.sh 5
fi
