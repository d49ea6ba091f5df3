#!/bin/sh
# fleetmix-cli without --fs-root and without FLEETMIX_FS_ROOT finds FS2002
# in the Wine prefix that Wine itself made (make-fs2002-wine-prefix.sh): it
# names the folder and goes on to the aircraft import, which finds no
# aircraft there (status 3).
#   cli-wine-prefix.sh <fleetmix-cli> <prefix>
set -u
cli=$1 prefix=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '[Jet]\r\nJET\r\n<"Boeing">\r\n' >"$work/air_class.cfg"
unset FLEETMIX_FS_ROOT
WINEPREFIX=$prefix "$cli" --work-dir "$work" --save none 2>"$work/err" >/dev/null
status=$?
cat "$work/err"
expected="FS2002 folder: $prefix/drive_c/Program Files (x86)/Microsoft Games/FS 2002 $(printf '\303\251')"
grep -qxF "$expected" "$work/err" || { echo "missing: $expected"; exit 1; }
[ $status = 3 ] || { echo "status $status, not 3"; exit 1; }
grep -q '^error: no aircraft was imported' "$work/err" || exit 1
