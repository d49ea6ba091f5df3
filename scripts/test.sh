#!/usr/bin/env bash
# The test command: installs what is missing, builds the native, the
# sanitizer and the Windows tree, and runs every test of each (native tests
# also under AddressSanitizer and UndefinedBehaviorSanitizer, Windows tests
# under Wine, GUI tests under Xvfb) and every benchmark once on a tiny input.
# The sanitizer tree is built with clang, so it also holds the fuzz targets;
# its tests run each of them briefly (scripts/fuzz.sh runs them longer).
# A tree that fails to build or to pass does not stop the others: all are
# run, then reported together.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)
logs=build/test-logs
mkdir -p "$logs"

"$top/scripts/install-deps.sh" || exit 1

declare -A built
build_tree() {  # name, cmake arguments...
  local name=$1; shift
  echo "== $name build"
  if cmake -S . -B "build/$name" "$@" >"$logs/$name-configure.log" 2>&1 &&
     cmake --build "build/$name" -j"$jobs" >"$logs/$name-build.log" 2>&1; then
    built[$name]=1
  else
    built[$name]=0
    tail -n 40 "$logs/$name-configure.log" "$logs/$name-build.log"
    echo "== $name build FAILED (logs in $logs)"
  fi
}

build_tree native -DCMAKE_BUILD_TYPE=Release
# A sanitizer tree configured with another compiler is configured anew.
if [ -f build/sanitize/CMakeCache.txt ] &&
   ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++$' build/sanitize/CMakeCache.txt; then
  rm -rf build/sanitize/CMakeCache.txt build/sanitize/CMakeFiles
fi
build_tree sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFM_SANITIZE=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
build_tree win -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake"

declare -A result
run_tests() {  # label, tree, log, ctest arguments...
  local label=$1 tree=$2 log=$3; shift 3
  echo "== $label"
  if [ "${built[$tree]}" != 1 ]; then
    result[$label]="not run: the $tree tree did not build"
    return
  fi
  ctest --test-dir "build/$tree" --output-on-failure "$@" >"$log" 2>&1
  local rc=$?
  grep -E '^ *[0-9]+/[0-9]+ Test|tests passed|The following tests FAILED|^\s+[0-9]+ - ' "$log" | tail -n 60
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  [ -n "$line" ] || line="no test summary (ctest exit $rc)"
  [ $rc = 0 ] || line="$line [FAILED]"
  result[$label]=$line
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_tests "native tests" native "$logs/native.log" -j"$jobs"
run_tests "sanitizer tests" sanitize "$logs/sanitize.log" -j"$jobs" -LE bench
run_tests "windows tests (Wine)" win "$logs/win.log" -j"$jobs" --timeout 600 -LE gui

gui_log=$logs/win-gui.log
run_tests "windows GUI tests (Wine and Xvfb)" win "$gui_log" -V -L gui --timeout 600
ran=$(grep -c -E '^[0-9]+: \[ +(OK|FAILED) +\] [A-Za-z]' "$gui_log" 2>/dev/null)
failed=$(grep -c -E '^[0-9]+: \[ +FAILED +\] [A-Za-z].*\(' "$gui_log" 2>/dev/null)
echo "GUI tests run under Wine and Xvfb: ${ran:-0} (${failed:-0} failed)"

# One closing report over every run (test programs, as ctest counts them).
echo "== summary"
status=0; total=0; bad=0
for label in "native tests" "sanitizer tests" "windows tests (Wine)" "windows GUI tests (Wine and Xvfb)"; do
  line=${result[$label]}
  echo "$label: $line"
  case $line in
    *"[FAILED]"*|"not run"*|"no test summary"*) status=1 ;;
  esac
  if [[ $line =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
    bad=$((bad + BASH_REMATCH[1])); total=$((total + BASH_REMATCH[2]))
  fi
done
for tree in native sanitize win; do
  [ "${built[$tree]}" = 1 ] || status=1
done
[ $status = 0 ] || [ $bad -gt 0 ] || bad=1
echo "$((total - bad)) passed, $bad failed"
exit $status
