#!/usr/bin/env bash
# Checks that every C++ file of ours is formatted as .clang-format says; lists those that
# are not. With --fix, formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."

format=clang-format-14
files=$(git ls-files -- '*.cpp' '*.h' ':!:third_party/**' 2>/dev/null ||
        find . -path ./build -prune -o -path ./third_party -prune -o \
             \( -name '*.cpp' -o -name '*.h' \) -print)
if [ "${1:-}" = "--fix" ]; then
  $format -i $files
  exit 0
fi
status=0
for f in $files; do
  if ! $format --dry-run --Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f (scripts/check-format.sh --fix)"
    status=1
  fi
done
exit $status
