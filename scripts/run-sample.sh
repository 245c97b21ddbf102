#!/usr/bin/env bash
# Builds setup.exe and runs it on a sample medium under Wine, on a pty so that its
# console text shows here.
#
#   run-sample.sh [--installed | --sealed] [ARGUMENTS...]
#
# The default medium is a distribution medium: the launcher expands the installer's
# jars from ..\stage\Components into its scratch directory with unzip.exe and starts the
# installer from the staged copies. --installed takes an installed layout instead, which
# runs from the medium itself; --sealed seals the distribution medium first (velcheck
# --seal), so that the launcher checks every file against the seal. ARGUMENTS replace the
# default "-silent". The Java runtime is a stand-in that prints the command it received;
# VEL_JAVA_EXIT_CODE sets the code it exits with.
set -euo pipefail
cd "$(dirname "$0")/.."

layout=distribution
sealed=
if [ "${1:-}" = "--installed" ]; then
  layout=installed
  shift
elif [ "${1:-}" = "--sealed" ]; then
  sealed=1
  shift
fi

bash scripts/setup.sh
bash scripts/build.sh >/dev/null

medium=build/sample-$layout
python3 tools/make_medium.py sample "$medium" --build build/windows --layout "$layout"
if [ -n "$sealed" ]; then
  build/native/velcheck --seal "$medium/disk1"
fi

export WINEPREFIX="$PWD/build/windows/wineprefix"
args="${*:--silent}"
result="$PWD/$medium/exit_code.txt"
rm -f "$result"
echo "Running: setup.exe $args  (medium: $medium, $layout layout)"

# The console breaks lines at the pty's width: give it the width of this terminal, or a
# wide one when there is none.
columns=$( (stty size </dev/tty) 2>/dev/null | cut -d' ' -f2 || true)
if ! [ "${columns:-0}" -gt 0 ] 2>/dev/null; then
  columns=250
fi
run() {
  script -qec "stty cols $columns rows 50 2>/dev/null; tests/support/wine-run \
    build/windows/test-support/exit_code_runner.exe '$result' '$medium/disk1/setup.exe' '$args'" \
    /dev/null </dev/null || true
}
# Wine cannot read the volume label of a drive whose unix device it may not open (as in
# containers), and says so on the console each time unzip asks: that line is dropped.
if [ -t 1 ]; then
  run | perl -e '$| = 1; while (sysread(STDIN, $_, 65536)) {
                   s/wine: Read access denied for device[^\n]*\n//g; print }'
else
  # Not a terminal: turn the console's drawing codes into plain text.
  run | perl -pe 's/wine: Read access denied for device.*\n//; s/\x1b\[(\d*)C/" " x ($1 || 1)/ge;
                  s/\x1b\[[0-9;?]*[A-Za-z]//g; s/\x1b\][^\x07]*\x07//g; s/\r//g'
fi
echo
echo "setup.exe exited with $(cat "$result" 2>/dev/null || echo '(no exit code recorded)')"
