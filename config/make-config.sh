#!/usr/bin/env bash
# Rebuilds the starter air_class.cfg and air_nat.cfg of this folder from the
# open data of data/ (through the native build tree).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$top" -B "$top/build/native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$top/build/native" --target config-files
