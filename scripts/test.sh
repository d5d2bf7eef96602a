#!/usr/bin/env bash
# Sets up, builds every library and test with AddressSanitizer and UBSan and runs all
# tests; then builds the benchmark programs in a Release build of their own (never under
# the sanitizers) and runs each once with a tiny time budget, to show they still run.
#
# The output is a summary: one line per step, the benchmark programs that ran, and at the
# end ctest's own closing lines (failed tests with their whole output, the
# "N% tests passed, M tests failed out of K" line). The full logs stay in the build
# folders: build-asan/build.log, build-asan/ctest.log, build-bench/build.log,
# build-bench/bench.log. DDZ_JOBS sets the number of parallel jobs (default: nproc).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"

jobs="${DDZ_JOBS:-$(nproc)}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

# Builds one folder quietly; on failure prints the end of its log and stops.
build() {
  local dir="$1" what="$2"
  shift 2
  mkdir -p "$dir"
  local log="$dir/build.log"
  local started=$SECONDS
  if ! { cmake -S "$root" -B "$dir" "${launcher[@]}" "$@" && cmake --build "$dir" -j "$jobs"; } >"$log" 2>&1; then
    echo "$what: build FAILED (full log: $log)"
    grep -E 'error|Error' "$log" | head -n 40 || true
    echo "..."
    tail -n 40 "$log"
    exit 1
  fi
  echo "$what: built in $((SECONDS - started)) s ($(grep -c 'warning:' "$log" || true) compiler warnings; log: $log)"
}

# 1. Every library and test under the sanitizers; the benchmarks are not built here.
asan="$root/build-asan"
build "$asan" "tests (ASan+UBSan)" -DCMAKE_BUILD_TYPE=Debug -DDDZ_SANITIZE=ON -DDDZ_BUILD_TESTS=ON -DDDZ_BUILD_BENCH=OFF

# 2. All tests. ctest's output goes to a log; the closing lines are printed last.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest_log="$asan/ctest.log"
ctest_status=0
started=$SECONDS
(cd "$asan" && ctest --output-on-failure -j "$jobs") >"$ctest_log" 2>&1 || ctest_status=$?
echo "tests: ran in $((SECONDS - started)) s (log: $ctest_log)"

# 3. The benchmarks in a Release build without sanitizers, each program run once, briefly.
bench="$root/build-bench"
bench_status=0
build "$bench" "benchmarks (Release)" -DCMAKE_BUILD_TYPE=Release -DDDZ_SANITIZE=OFF -DDDZ_BUILD_TESTS=OFF -DDDZ_BUILD_BENCH=ON
bench_log="$bench/bench.log"
: >"$bench_log"
shopt -s nullglob
programs=("$bench"/bench/*_bench)
if [ ${#programs[@]} -eq 0 ]; then
  echo "benchmarks: no benchmark program was built"
  bench_status=1
fi
for program in "${programs[@]}"; do
  name="$(basename "$program")"
  echo "== $name" >>"$bench_log"
  started=$SECONDS
  if "$program" --benchmark_min_time=0.01 >>"$bench_log" 2>&1; then
    echo "benchmarks: $name ran in $((SECONDS - started)) s (log: $bench_log)"
  else
    echo "benchmarks: $name FAILED (log: $bench_log)"
    bench_status=1
  fi
done

# 4. ctest's summary: everything but the one line per started and passed test, so the
# failures stand in full and the closing lines come last.
echo
grep -vE '^ *Start +[0-9]+: |^ *[0-9]+/[0-9]+ Test +#[0-9]+: .* Passed +[0-9.]+ sec$' "$ctest_log" || true

if [ "$ctest_status" -ne 0 ]; then exit "$ctest_status"; fi
exit "$bench_status"
