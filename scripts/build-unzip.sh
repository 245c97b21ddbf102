#!/usr/bin/env bash
# build-unzip.sh OUT_DIR [CC] [WINDRES]
#
# Builds the unzip.exe that setup.exe runs to expand jar archives: Info-ZIP UnZip 6.0
# from Debian's source package (with Debian's patches, which carry its security fixes)
# and our own patches in third_party/unzip/patches, cross-compiled for Windows x64.
# Leaves OUT_DIR/unzip.exe, the licence it ships with (LICENSE-unzip.txt) and the list
# of our changes (unzip-ALTERED.txt). The sources are checked against SHA256SUMS first.
#
# The build is reproducible: SOURCE_DATE_EPOCH (which the Windows build sets to the
# commit's time) is the date UnZip's version banner shows, and the linker writes no time
# stamp, so the same sources give the same unzip.exe in any directory at any time.
set -euo pipefail
: "${SOURCE_DATE_EPOCH:?must be set (cmake/windows.cmake sets it to the commit time)}"
export SOURCE_DATE_EPOCH

out=$(realpath -m "$1")
cc=${2:-x86_64-w64-mingw32-gcc-posix}
windres=${3:-x86_64-w64-mingw32-windres}
third_party=$(cd "$(dirname "$0")/../third_party/unzip" && pwd)

(cd "$third_party" && sha256sum --quiet -c SHA256SUMS)

src="$out/src"
rm -rf "$src"
mkdir -p "$src"
tar -xzf "$third_party/unzip_6.0.orig.tar.gz" -C "$src"
tar -xJf "$third_party/unzip_6.0-28+deb12u1.debian.tar.xz" -C "$src"
cd "$src/unzip60"
grep -v '^#' ../debian/patches/series | while read -r name; do
  [ -n "$name" ] && patch -p1 -s --no-backup-if-mismatch < "../debian/patches/$name"
done
for p in "$third_party"/patches/*.patch; do
  patch -p1 -s --no-backup-if-mismatch < "$p"
done

# NOASM: the bundled CRC assembler is 32-bit. windows.h first: UnZip's __G and CR
# macros clash with MinGW's headers otherwise. The source directory is named "." in
# whatever the compiler records of it.
make -s -f win32/Makefile.gcc unzip.exe NOASM=1 CC_CPU_OPT= CC="$cc" \
  "LD=$cc -static -Wl,--no-insert-timestamp" RC="$windres" \
  "LOCAL_UNZIP=-include windows.h -ffile-prefix-map=$PWD=." >"$out/build.log" 2>&1 ||
  { cat "$out/build.log" >&2; exit 1; }

cp unzip.exe "$out/unzip.exe"
cp LICENSE "$out/LICENSE-unzip.txt"
{
  echo "This unzip.exe is an altered version of UnZip 6.0: Debian's source package"
  echo "6.0-28+deb12u1 with Debian's patches, and these changes of ours."
  echo "It is not an Info-ZIP release. Its licence is in LICENSE-unzip.txt."
  echo
  for p in "$third_party"/patches/*.patch; do
    sed -n 's/^Subject: /- /p' "$p"
  done
} >"$out/unzip-ALTERED.txt"
