#!/usr/bin/env bash
# The client's figures, measured on this machine in the real window on SDL's
# offscreen driver and software renderer (Release builds):
#   - the CPU share of the single-player table standing idle for 10 s;
#   - the real time to the first drawn frame and to the table on screen;
#   - one drawn frame at 1280 x 720 while the deal runs (Google Benchmark,
#     beside the benchmark of a drawn table frame);
#   - the resident memory after twenty hands of the screen tour.
# DDZ_JOBS sets the number of parallel build jobs (default: nproc).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="${DDZ_JOBS:-$(nproc)}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
build="$root/build" bench="$root/build-bench"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DDDZ_BUILD_TESTS=ON -DDDZ_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target ddz screen_gallery -j "$jobs" >"$build/figures-build.log" 2>&1 ||
  { tail -30 "$build/figures-build.log"; exit 1; }
cmake -S "$root" -B "$bench" -DCMAKE_BUILD_TYPE=Release -DDDZ_SANITIZE=OFF -DDDZ_BUILD_TESTS=OFF -DDDZ_BUILD_BENCH=ON "${launcher[@]}" >/dev/null
cmake --build "$bench" --target classic_bench window_bench -j "$jobs" >"$bench/figures-build.log" 2>&1 ||
  { tail -30 "$bench/figures-build.log"; exit 1; }

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export SDL_VIDEODRIVER=offscreen SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy

# CPU time (user + system, clock ticks) of a process so far.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

echo "== the idle table"
XDG_DATA_HOME="$home" DDZ_RUN_SECONDS=15 "$build/app/ddz" 127.0.0.1 0 0 0 0 0 offline 0 2>/dev/null &
pid=$!
sleep 4
before=$(ticks "$pid")
sleep 10
after=$(ticks "$pid")
wait "$pid"
hz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "CPU share of one core, table idle for 10 s: %.1f%%\n", 100 * t / hz / 10 }'
grep -hE "first frame drawn|table on screen" "$home/DouDiZhu/client.log" | cut -d' ' -f3-

echo "== a drawn frame (software renderer, 1280 x 720)"
"$bench/bench/classic_bench" --benchmark_filter=BM_DrawDealFrame --benchmark_min_time=1
"$bench/bench/window_bench" --benchmark_filter=BM_DrawTableFrame --benchmark_min_time=1

echo "== memory"
mkdir -p "$home/tour"
XDG_DATA_HOME="$home/tour" "$build/tests/screen_gallery" "$home/tour" 20 2>&1 | grep -E "resident memory|[0-9]+ screens" || true
