#!/bin/sh
# The main job over a fresh copy of the demo installation, as the README's
# main-job command runs it, then the check on the result: every program of
# the tree (fleetmix-cli with its embedded bgltext and traffic tools) over
# realistic input, so that the sanitizer tree runs them all under its
# checks. Usage: cli-demo-run.sh <fleetmix-cli> <tree's demo folder> <scratch folder>
set -eu
cli=$1 demo=$2 run=$3
rm -rf "$run"
mkdir -p "$run"
cp -R "$demo/FS2002" "$demo/work" "$run/"
"$cli" --fs-root "$run/FS2002" --work-dir "$run/work" --traffic decompile --save compile \
  >"$run/summary.txt" 2>"$run/messages.txt" || { cat "$run/messages.txt"; exit 1; }
grep -q '^  generated  *[1-9]' "$run/summary.txt" || { cat "$run/summary.txt"; exit 1; }
grep -q 'was selected for this flight' "$run/work/report.txt"
status=0
"$cli" check --fs-root "$run/FS2002" --work-dir "$run/work" --traffic files \
  >"$run/check.txt" 2>>"$run/messages.txt" || status=$?
# The demo's airship has no category on purpose: the check finds it.
[ "$status" = 4 ] || { cat "$run/check.txt" "$run/messages.txt"; exit 1; }
grep -q 'Zeppelin NT' "$run/check.txt"
rm -rf "$run"
