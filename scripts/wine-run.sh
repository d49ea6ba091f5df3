#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own prefix.
#   wine-run.sh [--gui] program.exe [args...]
# --gui runs it inside an Xvfb session (1024x768x24). The prefix is made once
# (under a lock, so parallel tests share it) with the FS2002 registry key in
# the 32-bit view, as its installer writes it.
set -u
gui=0
if [ "${1:-}" = "--gui" ]; then gui=1; shift; fi

here=$(cd "$(dirname "$0")/.." && pwd)
# GUI runs end their X session with "wineserver -k", so they get a prefix of
# their own and never stop a console test that runs beside them.
if [ $gui = 1 ]; then
  export WINEPREFIX=${FLEETMIX_WINEPREFIX_GUI:-$here/build/wineprefix-gui}
else
  export WINEPREFIX=${FLEETMIX_WINEPREFIX:-$here/build/wineprefix}
fi
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.fleetmix-ready" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKLM\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\8.0' \
      /v 'EXE Path' /t REG_SZ /d 'C:\FS2002' /reg:32 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.fleetmix-ready"
  fi
) 9>"$WINEPREFIX.lock"

if [ $gui = 1 ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    sh -c 'wine "$@"; rc=$?; wineserver -k >/dev/null 2>&1; exit $rc' wine-run "$@"
fi
exec wine "$@"
