#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, address and undefined
# behaviour sanitizers) and runs each for FUZZ_SECONDS seconds (default 60).
# The corpus grows in build/fuzz/corpus; a failing input is written to
# build/fuzz/<target>-crash-* and the run stops with its report.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S fuzz -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j "$jobs"

for target in answer_parser number_format; do
  corpus=build/fuzz/corpus/$target
  log=build/fuzz/$target.log
  mkdir -p "$corpus"
  echo "== fuzz_$target: $seconds s"
  if ! "build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=1024 -timeout=10 -print_final_stats=1 \
       -artifact_prefix="build/fuzz/$target-" "$corpus" "fuzz/seeds/$target" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz_$target failed; the input is in build/fuzz/$target-*" >&2
    exit 1
  fi
  grep -E '^Done|^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$log"
done
