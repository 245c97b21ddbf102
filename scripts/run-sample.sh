#!/usr/bin/env bash
# Builds setup.exe and runs it on the sample medium under Wine, on a pty so that its
# console text shows here. Extra arguments replace the default "-silent". The medium's
# Java runtime is a stand-in that prints the command it received; VEL_JAVA_EXIT_CODE
# sets the code it exits with.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh >/dev/null

medium=build/sample-medium
rm -rf "$medium"
cp -r sample/medium "$medium"
cp build/windows/setup.exe "$medium/disk1/"
cp -r build/windows/resource "$medium/disk1/"
# The medium's Java runtime: the project's stand-in, which shows what it was started with.
mkdir -p "$medium/jre/bin"
cp build/windows/test-support/java_stand_in.exe "$medium/jre/bin/java.exe"
cp build/windows/test-support/java_stand_in.exe "$medium/jre/bin/javaw.exe"

export WINEPREFIX="$PWD/build/windows/wineprefix"
args="${*:--silent}"
result="$medium/exit_code.txt"
echo "Running: setup.exe $args  (medium: $medium)"
run() {
  script -qec "tests/support/wine-run build/windows/test-support/exit_code_runner.exe \
    '$result' '$medium/disk1/setup.exe' '$args'" /dev/null </dev/null || true
}
if [ -t 1 ]; then
  run
else
  # Not a terminal: turn the console's drawing codes into plain text.
  run | sed -E 's/\x1b\[1?C/ /g; s/\x1b\[[0-9;?]*[A-Za-z]//g; s/\x1b\][^\x07]*\x07//g; s/\r//g'
fi
echo
echo "setup.exe exited with $(cat "$result" 2>/dev/null || echo '(no exit code recorded)')"
