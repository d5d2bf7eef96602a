#!/usr/bin/env bash
# Sets up, builds (Release) and runs the client on the single-player command
# line. The client opens its window (headless without a display) and logs what it does; it stops
# on Ctrl-C, when the game quits, or at a run limit:
#   bash scripts/run.sh --seconds 10     (or DDZ_RUN_SECONDS=10)
#   bash scripts/run.sh --frames 600     (or DDZ_RUN_FRAMES=600)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) export DDZ_RUN_SECONDS="${2:?--seconds needs a number}"; shift 2 ;;
    --frames) export DDZ_RUN_FRAMES="${2:?--frames needs a number}"; shift 2 ;;
    *) echo "usage: $0 [--seconds N] [--frames N]" >&2; exit 2 ;;
  esac
done
bash "$root/scripts/setup.sh"
build="$root/build"
jobs="$(nproc)"
[ "$jobs" -gt 8 ] && jobs=8
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DDDZ_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target ddz -j "$jobs"
# Program path, server address, port, server id, a fourth number, network flag,
# user id (0: the single-player game), token, lobby window.
exec "$build/app/ddz" 127.0.0.1 0 0 0 0 0 offline 0
