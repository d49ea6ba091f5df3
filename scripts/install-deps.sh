#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Fleetmix.
# Idempotent and quiet: packages already present are not touched.
set -euo pipefail

packages=(
  cmake g++ make
  clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 fonts-wine
  xvfb xauth x11-utils imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  # As root apt-get runs as it is; anyone else needs sudo (a fresh Debian
  # machine has no sudo, but there one works as root).
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "install-deps: not root and no sudo; install as root: apt-get install ${missing[*]}" >&2
      exit 1
    fi
    as_root=(sudo)
  fi
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
