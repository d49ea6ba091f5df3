#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in a prefix of the build's
# own.
#   wine-run.sh [--gui | --display] program.exe [args...]
# --gui runs it inside an Xvfb session (1024x768x24); --display on the
# current $DISPLAY (the wizard for a user). The prefix is
# $FLEETMIX_WINEPREFIX when set, else build/wineprefix (console programs) or
# build/wineprefix-gui (windows). GUI runs end their X session with
# "wineserver -k", so they get a prefix of their own and never stop a console
# test that runs beside them. A user's own WINEPREFIX is never touched: the
# prefix is made once (under a lock, so parallel tests share it) with the
# FS2002 registry key in the 32-bit view, as its installer writes it.
set -u
mode=console
case "${1:-}" in
  --gui) mode=gui; shift ;;
  --display) mode=display; shift ;;
esac

here=$(cd "$(dirname "$0")/.." && pwd)
if [ -n "${FLEETMIX_WINEPREFIX:-}" ]; then
  prefix=$FLEETMIX_WINEPREFIX
elif [ $mode = console ]; then
  prefix=$here/build/wineprefix
else
  prefix=$here/build/wineprefix-gui
fi
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

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

case $mode in
  gui)
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
      sh -c 'wine "$@"; rc=$?; wineserver -k >/dev/null 2>&1; exit $rc' wine-run "$@" ;;
  *) exec wine "$@" ;;
esac
