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
echo "== native tests"
ctest --test-dir build/native --output-on-failure -j"$jobs" || status=1

echo "== windows tests (Wine)"
ctest --test-dir build/win --output-on-failure -j"$jobs" --timeout 600 || status=1

gui=$(ctest --test-dir build/win -N -L gui | sed -n 's/^Total Tests: //p')
echo "GUI tests run under Wine and Xvfb: ${gui:-0}"
exit $status
