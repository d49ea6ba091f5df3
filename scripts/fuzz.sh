#!/usr/bin/env bash
# Runs the fuzz targets of tests/fuzz for as long as asked and prints the
# executions of each.
#
#   scripts/fuzz.sh [seconds] [target...]
#
# seconds: how long each target runs (default 600); targets: names such as
# bgltext or redistribution (default: every target). Targets run one after
# the other. The tree is the sanitizer tree build/sanitize (FM_FUZZ_TREE
# sets another), configured with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer when missing.
# What a target finds is kept in <tree>/tests/fuzz/work/<target>/findings,
# the inputs it grew in <tree>/tests/fuzz/work/<target>/corpus. Exits 1 when
# any target found something.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
seconds=${1:-600}
shift $(( $# > 0 ? 1 : 0 ))
tree=${FM_FUZZ_TREE:-build/sanitize}

if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFM_SANITIZE=ON \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null || exit 1
fi
cmake --build "$tree" -j"$(nproc)" --target fuzz_targets >/dev/null || {
  echo "fuzz: the fuzz targets did not build ($tree: configured with clang and -DFM_SANITIZE=ON?)" >&2
  exit 1; }

targets=("$@")
if [ ${#targets[@]} = 0 ]; then
  for corpus in tests/fuzz/corpus/*/; do targets+=("$(basename "$corpus")"); done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
rows=()
for target in "${targets[@]}"; do
  program=$tree/tests/fuzz/fuzz_$target
  work=$tree/tests/fuzz/work/$target
  if [ ! -x "$program" ]; then
    echo "fuzz: no target $target" >&2; status=1; continue
  fi
  mkdir -p "$work/corpus" "$work/findings"
  log=$work/last-run.log
  echo "== $target: ${seconds}s"
  "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/findings/" "$work/corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1
  rc=$?
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1)
  outcome="no finding"
  if [ $rc != 0 ]; then
    status=1
    outcome="FINDING (exit $rc): $(grep -o -m1 'Test unit written to .*' "$log" || echo "see $log")"
    grep -m1 -E 'ERROR: |runtime error|deadly signal|out-of-memory|timeout' "$log"
  fi
  rows+=("$(printf '%-18s %6ss %12s  %s' "$target" "$seconds" "${runs:-?}" "$outcome")")
done

echo "== executions per target"
printf '%-18s %7s %12s  %s\n' target time executions outcome
printf '%s\n' "${rows[@]}"
exit $status
