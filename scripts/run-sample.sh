#!/usr/bin/env bash
# Builds setup.exe and runs it on the sample medium under Wine, on a pty so that its
# console text shows here. Extra arguments replace the default "-silent".
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh >/dev/null

medium=build/sample-medium
rm -rf "$medium"
cp -r sample/medium "$medium"
cp build/windows/setup.exe "$medium/disk1/"
cp -r build/windows/resource "$medium/disk1/"

export WINEPREFIX="$PWD/build/windows/wineprefix"
args="${*:--silent}"
result="$medium/exit_code.txt"
echo "Running: setup.exe $args  (medium: $medium)"
script -qec "tests/support/wine-run build/windows/test-support/exit_code_runner.exe \
  '$result' '$medium/disk1/setup.exe' '$args'" /dev/null </dev/null || true
echo
echo "setup.exe exited with $(cat "$result" 2>/dev/null || echo '(no exit code recorded)')"
