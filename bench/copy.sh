#!/usr/bin/env bash
# The folder-tree copy of the "Copy" and "Junction" steps against Wine's own
# xcopy on the same tree, and cp -r on the host as the disk's practical limit.
#
#   bench/copy.sh            (after: cmake --build --preset win32)
#
# Builds a tree of 2,000 files and 200 MB (200 folders of 10 files of
# 100 KiB, random bytes) in the Wine prefix, warms the page cache by reading
# it once, then copies it three times into fresh folders:
#   1. tree_copy_bench.exe (OS::CopyFolderTree) under Wine
#   2. xcopy /s /e /y under Wine
#   3. cp -r on the host
# and prints the wall times and the ratio of 1 to 2. Every copy is checked
# against the source. Wine prefix: $BENCH_WINEPREFIX, default the build's
# 64-bit test prefix (do not run this while the tests run).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
exe="$root/build/win32/bench/tree_copy_bench.exe"
prefix="${BENCH_WINEPREFIX:-$root/build/win32/wine/prefix-win64}"
[ -x "$exe" ] || { echo "copy.sh: build first: cmake --build --preset win32" >&2; exit 1; }
[ -d "$prefix/drive_c" ] || { echo "copy.sh: no Wine prefix at $prefix (run the tests once, or set BENCH_WINEPREFIX)" >&2; exit 1; }

export WINEPREFIX="$prefix" WINEDEBUG=-all
work="$prefix/drive_c/vorlan-bench"
win='C:\vorlan-bench'

started_server=""
cleanup() {
  rm -rf "$work"
  if [ -n "$started_server" ]; then wineserver -k </dev/null >/dev/null 2>&1 || true; fi
}
trap cleanup EXIT

# A persistent server, so that no run pays Wine's start-up; stopped at the
# end only when this script started it.
socket="/tmp/.wine-$(id -u)/server-$(stat -c %D "$prefix")-$(printf %x "$(stat -c %i "$prefix")")/socket"
if [ ! -S "$socket" ]; then
  started_server=1
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
fi

rm -rf "$work"
mkdir -p "$work/src"
echo "making the tree: 200 folders x 10 files x 100 KiB ..."
for d in $(seq -w 1 200); do
  mkdir -p "$work/src/dir$d"
  for f in $(seq -w 1 10); do
    head -c 102400 /dev/urandom >"$work/src/dir$d/file$f.bin"
  done
done
files=$(find "$work/src" -type f | wc -l)
bytes=$(du -sb "$work/src" | cut -f1)
echo "tree: $files files, $bytes bytes"
cat "$work"/src/*/* >/dev/null  # warm the page cache

now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc; }

check() {
  if ! diff -r -q "$work/src" "$1" >/dev/null; then
    echo "copy.sh: $2 did not copy the tree faithfully" >&2
    exit 1
  fi
}

t0=$(now)
out=$(wine "$exe" "$win\\dst-vorlan" "$win\\src" </dev/null 2>/dev/null | tr -d '\r')
t1=$(now)
check "$work/dst-vorlan" "tree_copy_bench"
vorlan=$(elapsed "$t0" "$t1")

t0=$(now)
wine xcopy /s /e /y /i "$win\\src" "$win\\dst-xcopy\\" </dev/null >/dev/null 2>&1
t1=$(now)
check "$work/dst-xcopy" "xcopy"
xcopy=$(elapsed "$t0" "$t1")

t0=$(now)
cp -r "$work/src" "$work/dst-cp"
t1=$(now)
check "$work/dst-cp" "cp -r"
cprun=$(elapsed "$t0" "$t1")

echo
printf '%-36s %8.2f s   (%s)\n' "OS::CopyFolderTree under Wine" "$vorlan" "$out"
printf '%-36s %8.2f s\n' "xcopy /s /e /y under Wine" "$xcopy"
printf '%-36s %8.2f s\n' "cp -r on the host" "$cprun"
printf 'ratio CopyFolderTree / xcopy: %.2f\n' "$(echo "$vorlan / $xcopy" | bc -l)"
printf 'ratio CopyFolderTree / cp -r: %.2f\n' "$(echo "$vorlan / $cprun" | bc -l)"
