#!/usr/bin/env bash
# Takes the screenshots of the filled pages shown in the README and docs/:
# runs the GUI tests of the Windows tree under Wine and Xvfb with
# FLEETMIX_SCREENSHOT_DIR set, so the scenarios that fill a page save it
# (as <name>.bmp), then turns each picture into docs/<name>.png.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

"$top/scripts/install-deps.sh"
cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build/win -j"$(nproc)" >/dev/null

shots=$top/build/screenshots
rm -rf "$shots"; mkdir -p "$shots"
# Wine sees the Unix root as drive Z.
FLEETMIX_SCREENSHOT_DIR="Z:${shots//\//\\}" ctest --test-dir build/win -L gui --timeout 600 \
  --output-on-failure "$@"
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  name=$(basename "$bmp" .bmp)
  convert "$bmp" "$top/docs/$name.png"
  echo "saved docs/$name.png"
done
