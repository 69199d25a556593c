#!/usr/bin/env bash
# Sets up what is missing, builds with the sanitizers and warnings as errors, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir="$root/build-test"
"$root/scripts/setup.sh" "$build_dir" -DFAKVO_SANITIZE=ON -DFAKVO_WERROR=ON
export QT_QPA_PLATFORM=offscreen
# Qt keeps some allocations until exit on purpose; leak reports from them would drown real faults.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build_dir"
ctest --output-on-failure --timeout 600 -j2
