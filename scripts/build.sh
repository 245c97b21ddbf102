#!/usr/bin/env bash
# Configures and builds both trees: build/native (portable core, sanitizers, fuzzers)
# and build/windows (setup.exe and the Windows tests, cross-compiled).
set -euo pipefail
cd "$(dirname "$0")/.."

CC=clang CXX=clang++ cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native
cmake -S . -B build/windows -G Ninja --no-warn-unused-cli \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows
