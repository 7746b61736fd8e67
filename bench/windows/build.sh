#!/usr/bin/env bash
# Builds the minimal Win32 window, 64-bit and 32-bit, with the MinGW-w64
# compilers and the flags of the win32/win64 presets (release, everything
# linked statically):
#   bench/windows/build.sh OUTDIR
# Makes OUTDIR/MinimalWindow64.exe and OUTDIR/MinimalWindow32.exe; a compiler
# that is missing is skipped with a message. Exit status 0 when at least the
# 64-bit program (the one Wine runs here) was built.
set -u
here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: build.sh OUTDIR}
mkdir -p "$out"
status=1
for arch in x86_64:64 i686:32; do
  triple=${arch%%:*}-w64-mingw32
  bits=${arch##*:}
  compiler=$triple-g++-posix
  if ! command -v "$compiler" >/dev/null; then
    echo "build.sh: $compiler not installed; MinimalWindow$bits.exe not built" >&2
    continue
  fi
  if "$compiler" -std=c++20 -O2 -DNDEBUG -mwindows -static -static-libgcc -static-libstdc++ \
       -o "$out/MinimalWindow$bits.exe" "$here/MinimalWindow.cpp" -luser32 -lgdi32; then
    [ "$bits" = 64 ] && status=0
  fi
done
exit $status
