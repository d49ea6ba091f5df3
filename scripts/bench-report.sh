#!/usr/bin/env bash
# One benchmark report: builds the benchmarks (and the inputs they make for
# themselves), runs each operation at three sizes beside its baseline (the
# same input read and the same output bytes written by plain copies, in the
# same run), and prints one table: time, baseline, their ratio, the peak
# memory of the process, and the growth from one size to the next (the time
# per item against that of the smaller size: 1.00 is linear).
#   scripts/bench-report.sh [--quick]     --quick: smaller sizes, shorter runs
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

quick=0
[ "${1:-}" = --quick ] && quick=1

"$top/scripts/install-deps.sh"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j"$(nproc)" --target bench_generate bench_traffic_import \
  bench_aircraft_import bench_scenery bench_bgltext_process bgltext >/dev/null
bench=build/native/bench
min_time=0.5
[ $quick = 1 ] && min_time=0.05

printf '| operation | size | time (ms) | baseline (ms) | ratio | peak memory (MB) | growth |\n'
printf '|---|---|---|---|---|---|---|\n'

# The real time of one benchmark in Google Benchmark's console output, in ms.
real_ms() {  # output, name
  awk -v name="$2/real_time" '$1 == name {
      t = $2; u = $3
      if (u == "ns") t /= 1e6; else if (u == "us") t /= 1e3; else if (u == "s") t *= 1e3
      printf "%.2f", t }' <<<"$1"
}

# One operation at three sizes: program, size option, what a size counts,
# product benchmark, baseline benchmark, sizes...
report() {
  local program=$1 option=$2 unit=$3 product=$4 baseline=$5; shift 5
  local previous_size="" previous_time=""
  for size in "$@"; do
    local out peak time base ratio growth
    out=$(/usr/bin/time -f 'PEAK_KB %M' "$bench/$program" "--$option=$size" \
      --benchmark_filter="^($product|$baseline)/" --benchmark_color=false \
      --benchmark_min_time=$min_time 2>&1) || { echo "| $product | $size $unit | failed |"; return; }
    peak=$(awk '/^PEAK_KB/ {printf "%.0f", $2 / 1024}' <<<"$out")
    time=$(real_ms "$out" "$product")
    base=$(real_ms "$out" "$baseline")
    ratio=$(awk -v t="$time" -v b="$base" 'BEGIN { if (b > 0) printf "%.2f", t / b; else print "-" }')
    growth="-"
    if [ -n "$previous_size" ]; then
      growth=$(awk -v t="$time" -v s="$size" -v pt="$previous_time" -v ps="$previous_size" \
        'BEGIN { if (pt > 0) printf "%.2f", (t / s) / (pt / ps); else print "-" }')
    fi
    printf '| %s | %s %s | %s | %s (%s) | %s | %s | %s |\n' \
      "$product" "$size" "$unit" "$time" "$base" "$baseline" "$ratio" "$peak" "$growth"
    previous_size=$size previous_time=$time
  done
}

if [ $quick = 1 ]; then
  report bench_generate plans plans BM_Generate BM_WriteBaseline 1000 10000 100000
  report bench_traffic_import plans plans BM_ImportTraffic BM_CopyBaseline 1000 10000 100000
  report bench_aircraft_import folders folders BM_ImportAircraft BM_ReadFilesWholeBaseline 50 500 5000
  report bench_scenery airports airports BM_LoadCache BM_ReadCacheLinesBaseline 300 3000 30000
else
  report bench_generate plans plans BM_Generate BM_WriteBaseline 10000 100000 1000000
  report bench_generate plans plans BM_Save BM_WriteBaseline 10000 100000 1000000
  report bench_traffic_import plans plans BM_ImportTraffic BM_CopyBaseline 10000 100000 1000000
  report bench_aircraft_import folders folders BM_ImportAircraft BM_ReadFilesWholeBaseline 500 5000 50000
  report bench_scenery airports airports BM_LoadCache BM_ReadCacheLinesBaseline 3000 10000 30000
  report bench_scenery airports airports BM_SaveCache BM_WriteCacheBytesBaseline 3000 10000 30000
  report bench_scenery airports airports BM_ParseSceneryText BM_ReadSceneryLinesBaseline 3000 10000 30000
  report bench_scenery airports airports BM_ImportFromFs BM_ImportBytesBaseline 3000 10000 30000
fi

# bgltext as a process on the world airport directory, beside cp of its output.
world=30000
[ $quick = 1 ] && world=3000
out=$(/usr/bin/time -f 'PEAK_KB %M' "$bench/bench_bgltext_process" build/native/bgltext/bgltext \
  --runs=5 --world-airports=$world 2>&1)
bgl=$(sed -n 's/^bgltext run on the world file: median \([0-9.]*\) ms.*/\1/p' <<<"$out")
cp_ms=$(sed -n 's/^cp of that output file: median \([0-9.]*\) ms.*/\1/p' <<<"$out")
ratio=$(sed -n 's/.*bgltext \/ cp = \([0-9.]*\).*/\1/p' <<<"$out")
peak=$(sed -n 's/^peak resident memory of that run: \([0-9]*\) KiB.*/\1/p' <<<"$out")
printf '| bgltext process (world AFD) | %s airports | %s | %s (cp of its output) | %s | %s | - |\n' \
  "$world" "$bgl" "$cp_ms" "$ratio" "$(( ${peak:-0} / 1024 ))"

# bgltext as a process on hostile images (tools/bglwriter/hostile_images.h),
# each kind at three sizes beside cp of the same file; the status is
# bgltext's exit status.
hostile=100000
[ $quick = 1 ] && hostile=10000
"$bench/bench_bgltext_process" build/native/bgltext/bgltext --hostile=$hostile --runs=5 |
  awk -F' *\\| *' '$3 ~ /^[0-9]+$/ {
      ratio = $5 > 0 ? sprintf("%.2f", $4 / $5) : "-"
      printf "| bgltext hostile: %s (status %s) | %s bytes | %s | %s (cp of the input) | %s | %.0f | %s |\n",
        $2, $10, $3, $4, $5, ratio, $8 / 1024, $7 }'
