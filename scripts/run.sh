#!/usr/bin/env bash
# Sets up, builds (Release) and runs the program's main job.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DDDZ_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
exec "$build/bench/cardlogic_bench" "$@"
