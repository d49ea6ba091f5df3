#!/usr/bin/env bash
# The Windows package: installs what is missing, builds the Windows tree's
# programs and packs build/win/fleetmix-<version>-win64.zip (fleetmix.exe,
# fleetmix-cli.exe, bgltext.exe, the starter air_class.cfg and air_nat.cfg,
# the licences and README-windows.txt). The test command makes it too, and
# its test win_package_contents checks it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
tree=$top/build/win

"$top/scripts/install-deps.sh"
mkdir -p "$top/build"
log=$top/build/package-build.log
if ! { cmake -S "$top" -B "$tree" -DCMAKE_BUILD_TYPE=Release \
         -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" &&
       cmake --build "$tree" --target win-package -j"$(nproc)"; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "package: the build failed (log: $log)" >&2
  exit 1
fi
ls "$tree"/fleetmix-*-win64.zip
