#!/usr/bin/env bash
# The test command: installs what is missing, builds the native and the
# Windows tree, and runs every test of both (Windows tests under Wine, GUI
# tests under Xvfb) and every benchmark once on a tiny input.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)

"$top/scripts/install-deps.sh"

echo "== native build"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j"$jobs"

echo "== windows build (mingw-w64)"
cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/win -j"$jobs"

status=0
logs=build/test-logs
mkdir -p "$logs"
echo "== native tests"
ctest --test-dir build/native --output-on-failure -j"$jobs" 2>&1 | tee "$logs/native.log"
[ "${PIPESTATUS[0]}" = 0 ] || status=1

echo "== windows tests (Wine)"
ctest --test-dir build/win --output-on-failure -j"$jobs" --timeout 600 -LE gui 2>&1 | tee "$logs/win.log"
[ "${PIPESTATUS[0]}" = 0 ] || status=1

echo "== windows GUI tests (Wine and Xvfb)"
gui_log=$logs/win-gui.log
ctest --test-dir build/win -V -L gui --timeout 600 >"$gui_log" 2>&1 || status=1
grep -E '^[0-9]+: \[  (FAILED|     OK) \]|tests passed|Failed' "$gui_log" || true
ran=$(grep -c -E '^[0-9]+: \[ +(OK|FAILED) +\] [A-Za-z]' "$gui_log" || true)
failed=$(grep -c -E '^[0-9]+: \[ +FAILED +\] [A-Za-z].*\(' "$gui_log" || true)
echo "GUI tests run under Wine and Xvfb: ${ran} (${failed} failed)"

# One closing line over the three runs (test programs, as ctest counts them).
total=0; bad=0
for log in "$logs/native.log" "$logs/win.log" "$gui_log"; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  n=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/'); f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
  total=$((total + ${n:-0})); bad=$((bad + ${f:-0}))
done
[ $status = 0 ] || [ $bad -gt 0 ] || bad=1
echo "$((total - bad)) passed, $bad failed"
exit $status
