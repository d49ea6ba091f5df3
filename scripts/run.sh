#!/usr/bin/env bash
# The main job: builds fleetmix.exe and opens the wizard under Wine. With a
# display ($DISPLAY) the wizard is yours to use; without one it opens in an
# Xvfb session and a screenshot of it is saved to build/fleetmix.png.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ]; then
  "$top/scripts/screenshot-welcome.sh" "$top/build/fleetmix.png"
  exit 0
fi

"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build/win" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$top/build/win" --target fleetmix -j"$(nproc)" >/dev/null
mkdir -p "$top/build/work"
cd "$top/build/work"
exec "$top/scripts/wine-run.sh" --display "$top/build/win/shell/fleetmix.exe"
