#!/usr/bin/env bash
# The main job on the demo installation: installs what is missing, builds
# what is missing (fleetmix-cli, bgltext, the traffic tools and the demo, in
# build/native), copies the demo's FS2002 and working folder fresh to
# build/demo-run (so every run starts clean), and runs fleetmix-cli over it:
# the traffic decompiled, the new traffic saved and compiled. Messages go to
# standard error, the closing summary to standard output. Further
# fleetmix-cli options are passed on (--method randomly --seed 7, ...).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
tree=$top/build/native
run=$top/build/demo-run

"$top/scripts/install-deps.sh"
mkdir -p "$top/build"
log=$top/build/demo-build.log
if ! { cmake -S "$top" -B "$tree" -DCMAKE_BUILD_TYPE=Release &&
       cmake --build "$tree" -j"$(nproc)" \
         --target fleetmix-cli bgltext trafficdecompiler trafficcompiler demo; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "demo: the build failed (log: $log)" >&2
  exit 1
fi

rm -rf "$run"
mkdir -p "$run"
cp -R "$tree/demo/FS2002" "$tree/demo/work" "$run/"
exec "$tree/cli/fleetmix-cli" --fs-root "$run/FS2002" --work-dir "$run/work" \
  --traffic decompile --save compile "$@"
