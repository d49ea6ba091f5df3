#!/bin/sh
# Makes a fresh Wine prefix in $1 in which FS2002 is installed as its
# installer leaves it: the key "EXE Path" in the 32-bit registry view, naming
# a folder with a blank and a non-ASCII letter that Wine itself creates.
#   make-fs2002-wine-prefix.sh <prefix>
set -eu
prefix=$1
root='C:\Program Files (x86)\Microsoft Games\FS 2002 é'
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8  # the folder's name reaches Wine as UTF-8
wineboot -i >/dev/null 2>&1
wine reg add 'HKLM\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\8.0' \
  /v 'EXE Path' /t REG_SZ /d "$root" /reg:32 /f >/dev/null
wine cmd /c mkdir "$root" >/dev/null
wineserver -w  # the registry reaches system.reg when the server ends
grep -q 'Wow6432Node\\\\Microsoft\\\\Microsoft Games' "$prefix/system.reg"
echo "FS2002 recorded in $prefix"
