#!/usr/bin/env bash
# Sets up, builds every library and test with AddressSanitizer and UBSan, and runs all tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
build="$root/build-asan"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DDDZ_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build" && ctest --output-on-failure -j "$(nproc)"
