#!/usr/bin/env bash
# Installs everything the build and the tests need. Safe to run again: apt-get skips
# what is already there, and the package lists are refreshed at most once an hour.
set -euo pipefail

packages=(
  cmake ninja-build make patch xz-utils perl
  g++ clang libclang-rt-14-dev clang-format-14 git libssl-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64
  googletest
  python3 python3-pytest unzip
  locales
)

if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
