#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time and prints the executions
# each ran. Configures and builds the fuzzing tree first (clang, sanitizers).
# Usage: scripts/fuzz.sh [seconds per target, default 60] [build dir, default build/fuzz]
# Inputs that add coverage go to <build dir>/fuzz/corpus/<target>/; a crash
# leaves crash-* in the current directory and makes the script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
tree=${2:-$root/build/fuzz}

cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVANTRELLE_FUZZ=ON >/dev/null
cmake --build "$tree" -j "$(nproc)" >/dev/null

status=0
for fuzzer in "$tree"/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] && [ -f "$fuzzer" ] || continue
  name=$(basename "$fuzzer"); name=${name#fuzz_}
  found="$tree/fuzz/corpus/$name"; mkdir -p "$found"
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
  log=$(mktemp)
  if "$fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$found" "${seeds[@]}" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED; status=1
    tail -n 40 "$log"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "$name: ${runs:-?} executions in ${seconds}s: $result"
  rm -f "$log"
done
exit $status
