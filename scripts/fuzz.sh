#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer, UBSan and
# the fuzzer's coverage, in build-fuzz/) and runs each for the given number of
# seconds (default 60), starting from its seed corpus fuzz/corpus/<target>/.
# What the runs find is kept in build-fuzz/corpus/<target>/; a crash or a
# failed property writes its input to build-fuzz/artifacts/ and the script
# exits non-zero. DDZ_FUZZ_JOBS targets run at a time (default 2); with
# DDZ_FUZZ_RUNS set, a target also stops after that many inputs.
#
# One line per target: the runs made, the corpus size, and the finding if any
# (the whole output stays in build-fuzz/logs/<target>.log).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
jobs="${DDZ_FUZZ_JOBS:-2}"
runs_limit=()
if [ -n "${DDZ_FUZZ_RUNS:-}" ]; then runs_limit=(-runs="$DDZ_FUZZ_RUNS"); fi
bash "$root/scripts/setup.sh"

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is not installed; no fuzz target was built"
  exit 1
fi

out="$root/build-fuzz"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$out/logs" "$out/artifacts" "$out/corpus"
started=$SECONDS
if ! { cmake -S "$root" -B "$out" "${launcher[@]}" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
         -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDDZ_FUZZ=ON -DDDZ_BUILD_TESTS=OFF -DDDZ_BUILD_BENCH=OFF &&
       cmake --build "$out" --target fuzz_all -j "${DDZ_JOBS:-$(nproc)}"; } >"$out/build.log" 2>&1; then
  echo "fuzz: build FAILED (full log: $out/build.log)"
  grep -E 'error' "$out/build.log" | head -n 40 || true
  tail -n 20 "$out/build.log"
  exit 1
fi
echo "fuzz: built in $((SECONDS - started)) s (log: $out/build.log)"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Runs one target; its summary line goes to logs/<target>.summary.
run_target() {
  local program="$1" name
  name="$(basename "$program")"
  name="${name#fuzz_}"
  local corpus="$out/corpus/$name" log="$out/logs/$name.log"
  rm -f "$out/logs/$name.summary"
  mkdir -p "$corpus"
  if [ -d "$root/fuzz/corpus/$name" ]; then cp -n "$root/fuzz/corpus/$name"/* "$corpus/" 2>/dev/null || true; fi
  local status=0
  # -close_fd_mask=1: the readers' refusal lines on standard output are not wanted.
  "$program" "$corpus" -max_total_time="$seconds" "${runs_limit[@]}" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$out/artifacts/$name-" >"$log" 2>&1 || status=$?
  local runs
  runs="$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' | tail -n 1)"
  if [ "$status" -eq 0 ]; then
    echo "fuzz: $name ran ${runs:-?} inputs in $(grep -E '^Done [0-9]+ runs in' "$log" | awk '{print $5}' | tail -n 1) s, corpus $(ls "$corpus" | wc -l) (log: $log)" >"$out/logs/$name.summary"
  else
    {
      echo "fuzz: $name FAILED after ${runs:-?} inputs (log: $log)"
      grep -E 'ERROR:|property failed|runtime error|Test unit written' "$log" | head -n 5
    } >"$out/logs/$name.summary"
  fi
  return "$status"
}

programs=("$out"/fuzz/fuzz_*)
status=0
pids=()
for program in "${programs[@]}"; do
  [ -x "$program" ] || continue
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || status=1; done
  run_target "$program" &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
for program in "${programs[@]}"; do
  name="$(basename "$program")"
  cat "$out/logs/${name#fuzz_}.summary" 2>/dev/null || true
done
exit "$status"
