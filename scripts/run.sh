#!/usr/bin/env bash
# The wizard on the demo installation: builds fleetmix.exe (build/win) and
# the demo (build/native), copies the demo fresh to build/demo-wizard, points
# the FS2002 registry key of a Wine prefix of its own (build/wineprefix-demo)
# at it, and opens the wizard under Wine in the demo's working folder. With a
# display ($DISPLAY) the wizard is yours to use; without one it opens in an
# Xvfb session and a screenshot of it is saved to build/fleetmix.png.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
run=$top/build/demo-wizard

"$top/scripts/install-deps.sh"
mkdir -p "$top/build"
log=$top/build/run-build.log
if ! { cmake -S "$top" -B "$top/build/win" -DCMAKE_BUILD_TYPE=Release \
         -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" &&
       cmake --build "$top/build/win" --target fleetmix -j"$(nproc)" &&
       cmake -S "$top" -B "$top/build/native" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$top/build/native" --target demo -j"$(nproc)"; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "run: the build failed (log: $log)" >&2
  exit 1
fi

rm -rf "$run"
mkdir -p "$run"
cp -R "$top/build/native/demo/FS2002" "$top/build/native/demo/work" "$run/"

# Wine shows the Linux root as drive Z:.
export FLEETMIX_WINEPREFIX=$top/build/wineprefix-demo
"$top/scripts/wine-run.sh" reg add 'HKLM\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\8.0' \
  /v 'EXE Path' /t REG_SZ /d "Z:${run//\//\\}\\FS2002" /reg:32 /f >/dev/null

if [ -z "${DISPLAY:-}" ]; then
  FLEETMIX_WORK="$run/work" "$top/scripts/screenshot-welcome.sh" "$top/build/fleetmix.png"
  exit 0
fi
cd "$run/work"
exec "$top/scripts/wine-run.sh" --display "$top/build/win/shell/fleetmix.exe"
