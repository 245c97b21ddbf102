#!/usr/bin/env bash
# check-reproducible.sh [FIRST_BUILD_DIR]
#
# Checks that the Windows executables are reproducible: copies this working tree (its
# git metadata too, so the commit time is the same) into a new directory, builds them
# there in a new build directory, and compares them byte for byte with those of
# FIRST_BUILD_DIR (build/windows by default), which must be built already. Names each
# file that differs and fails; nothing of the first build is reused.
set -euo pipefail
cd "$(dirname "$0")/.."
first=$(realpath -m "${1:-build/windows}")

# Paths relative to a build directory, and the targets that make them.
files=(setup.exe setup.exe.debug unzip/unzip.exe velcheck.exe)
targets=(setup unzip velcheck)

for f in "${files[@]}"; do
  if [ ! -f "$first/$f" ]; then
    echo "check-reproducible: $first/$f is missing; build the Windows tree first" >&2
    exit 1
  fi
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/vel-reproducible.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
# A source directory of another name and length than the first build's, with the same
# files: those git tracks or would track, as they are now, and the git metadata.
second_source="$scratch/source-copy"
mkdir -p "$second_source"
git ls-files -z -co --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$second_source"
cp -a .git "$second_source/.git"
second="$second_source/out/second-windows-build"

echo "check-reproducible: building ${targets[*]} again in $second"
cmake -S "$second_source" -B "$second" -G Ninja --no-warn-unused-cli \
  -DCMAKE_TOOLCHAIN_FILE="$second_source/cmake/mingw-w64-x86_64.cmake" \
  >"$scratch/configure.log" 2>&1 || { cat "$scratch/configure.log" >&2; exit 1; }
cmake --build "$second" --target "${targets[@]}" >"$scratch/build.log" 2>&1 ||
  { cat "$scratch/build.log" >&2; exit 1; }

status=0
for f in "${files[@]}"; do
  if cmp -s "$first/$f" "$second/$f"; then
    echo "check-reproducible: $f is the same ($(sha256sum <"$first/$f" | cut -c1-16)...)"
  else
    echo "check-reproducible: NOT REPRODUCIBLE: $f differs between two builds of the same" \
         "sources ($first/$f and a build in another directory)" >&2
    cmp "$first/$f" "$second/$f" >&2 || true
    diff <(x86_64-w64-mingw32-objdump -x "$first/$f" 2>&1 | tail -n +4) \
         <(x86_64-w64-mingw32-objdump -x "$second/$f" 2>&1 | tail -n +4) | head -20 >&2 || true
    status=1
  fi
done
exit $status
