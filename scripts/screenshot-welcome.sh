#!/usr/bin/env bash
# Takes the screenshot of the welcome page shown in the README:
# builds fleetmix.exe, opens it under Wine in an Xvfb session, and saves the
# wizard's window as docs/welcome.png. The wizard runs in $FLEETMIX_WORK
# when that names a folder (else in an empty one), in the prefix of
# $FLEETMIX_WINEPREFIX when set.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = "--inside-xvfb" ]; then
  # In the Xvfb session: open the wizard, wait for its window, save it.
  work=${FLEETMIX_WORK:-$(mktemp -d)}
  (cd "$work" && wine "$exe" >/dev/null 2>&1 &)
  title="AI Traffic Fleetmixer - Version 0.7"
  for _ in $(seq 100); do
    xwininfo -name "$title" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1.5   # the picture and the posted button states settle
  geometry=$(xwininfo -name "$title")
  x=$(echo "$geometry" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(echo "$geometry" | sed -n 's/.*Absolute upper-left Y: *//p')
  w=$(echo "$geometry" | sed -n 's/.*Width: *//p')
  h=$(echo "$geometry" | sed -n 's/.*Height: *//p')
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$OUT"
  wineserver -k
  [ -n "${FLEETMIX_WORK:-}" ] || rm -rf "$work"
  exit 0
fi

out=${1:-$top/docs/welcome.png}

"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build/win" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$top/build/win" --target fleetmix -j"$(nproc)" >/dev/null
exe="$top/build/win/shell/fleetmix.exe"

# Prepares the prefix (shared with the GUI tests).
"$top/scripts/wine-run.sh" --gui cmd /c exit 0 >/dev/null 2>&1 || true

export OUT="$out" exe WINEPREFIX="${FLEETMIX_WINEPREFIX:-$top/build/wineprefix-gui}" WINEARCH=win64 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inside-xvfb
echo "saved $out"
