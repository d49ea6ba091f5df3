#!/bin/sh
# fleetmix-cli of the native tree and fleetmix-cli.exe under Wine, each on a
# fresh copy of the native tree's demo with the same options (the traffic
# decompiled, Randomly with one seed, saved and compiled): report.txt,
# aircraft.txt, FlightPlans.txt and the compiled TRAFFIC.BGL must be the
# same bytes. The Wine prefix's FS2002 key names the copy for the run (the
# Windows traffic tools read only the registry) and is put back afterwards.
#   cli-wine-parity.sh <native tree> <fleetmix-cli.exe> <wine-run.sh>
set -u
native=$1 exe=$2 winerun=$3
key='HKLM\SOFTWARE\Microsoft\Microsoft Games\Flight Simulator\8.0'
if [ ! -x "$native/cli/fleetmix-cli" ] || [ ! -d "$native/demo/FS2002" ]; then
  echo "needs the native tree's fleetmix-cli and demo: cmake --build $native --target fleetmix-cli demo"
  exit 1
fi
tmp=$(mktemp -d)
restore() {
  "$winerun" reg add "$key" /v 'EXE Path' /t REG_SZ /d 'C:\FS2002' /reg:32 /f >/dev/null 2>&1
  rm -rf "$tmp"
}
trap restore EXIT
for side in linux windows; do
  mkdir "$tmp/$side"
  cp -R "$native/demo/FS2002" "$native/demo/work" "$tmp/$side/"
done
options="--traffic decompile --method randomly --seed 2002 --save compile"

# shellcheck disable=SC2086
"$native/cli/fleetmix-cli" --fs-root "$tmp/linux/FS2002" --work-dir "$tmp/linux/work" $options \
  >"$tmp/linux.out" 2>"$tmp/linux.err" || { cat "$tmp/linux.err"; echo "the native run failed"; exit 1; }

windows=$(printf 'Z:%s' "$tmp/windows" | tr / '\\')
"$winerun" reg add "$key" /v 'EXE Path' /t REG_SZ /d "$windows\\FS2002" /reg:32 /f >/dev/null || exit 1
# shellcheck disable=SC2086
"$winerun" "$exe" --fs-root "$windows\\FS2002" --work-dir "$windows\\work" $options \
  >"$tmp/windows.out" 2>"$tmp/windows.err" || { cat "$tmp/windows.err"; echo "the Wine run failed"; exit 1; }
tail -n 25 "$tmp/windows.out"

# A file of the folder whatever the letter case of its name.
pick() { find "$1" -maxdepth 1 -iname "$2" | head -n 1; }
status=0
for name in report.txt aircraft.txt FlightPlans.txt; do
  a=$(pick "$tmp/linux/work" "$name") b=$(pick "$tmp/windows/work" "$name")
  if [ -z "$a" ] || [ -z "$b" ] || ! cmp "$a" "$b"; then
    echo "$name differs between the native run and the Wine run"; status=1
  else
    echo "$name: $(wc -c <"$a") bytes, the same in both runs"
  fi
done
cmp "$tmp/linux/FS2002/SCENEDB/ATC/SCENERY/TRAFFIC.BGL" "$tmp/windows/FS2002/SCENEDB/ATC/SCENERY/TRAFFIC.BGL" ||
  { echo "TRAFFIC.BGL differs"; status=1; }
exit $status
