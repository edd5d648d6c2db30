#!/usr/bin/env bash
# The folder-tree copy of the "Copy" and "Junction" steps against Wine's own
# xcopy on the same tree, and cp -r on the host as the disk's practical limit.
#
#   bench/copy.sh                       RUNS=5 bench/copy.sh
#   BENCH_PRESET=win32|win64check       picks the build (default: the one this host runs)
#   COPY_BASELINE=/path/to/tree_copy_bench.exe   also times another build of the
#                                       bench program (an older tree copy), for before/after
#   COPY_IN_MEMORY=1                    keeps the trees in /dev/shm (linked from the prefix),
#                                       for a host whose disk is slow or busy: the cost per file
#                                       under Wine, without the disk
#
# Builds a tree of 2,000 files and 200 MB (200 folders of 10 files of
# 100 KiB, random bytes) in the Wine prefix, warms the page cache by reading
# it once, then copies it RUNS times (default 3) with each of, taking turns,
# into fresh folders:
#   1. tree_copy_bench.exe (OS::CopyFolderTree) under Wine
#   2. xcopy /s /e /y under Wine
#   3. cp -r on the host
#   4. tree_copy_bench.exe --open-only under Wine: every folder made, every
#      file opened and every copy created and closed, no byte copied: the
#      least any copy through the Win32 file calls costs under this Wine
# and prints the median wall times and the ratio of 1 to 2. Every copy is
# checked against the source (4: the same files, empty). Wine prefix: the benchmarks' own
# (build/bench-wine), or $BENCH_WINEPREFIX.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${RUNS:-3}"
source "$root/bench/lib/wine-bench-env.sh"
bench_build tree_copy_bench
exe="$BENCH_BUILD/bench/tree_copy_bench.exe"
baseline="${COPY_BASELINE:-}"

work="$WINEPREFIX/drive_c/vorlan-bench"
win='C:\vorlan-bench'
trap 'rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true' EXIT

rm -rf "$work"
if [ "${COPY_IN_MEMORY:-0}" = 1 ]; then
  memory="$(mktemp -d /dev/shm/vorlan-bench.XXXXXX)"
  ln -s "$memory" "$work"
  trap 'rm -rf "$memory" "$work"; wineserver -k >/dev/null 2>&1 || true' EXIT
fi
mkdir -p "$work/src"
if [ -n "$baseline" ]; then cp "$baseline" "$work/baseline.exe"; fi
cp "$exe" "$work/tree_copy_bench.exe"
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

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
check() {
  if ! diff -r -q "$work/src" "$work/$1" >/dev/null; then
    echo "copy.sh: $2 did not copy the tree faithfully" >&2
    exit 1
  fi
  rm -rf "${work:?}/$1"
  sync
}
# One timed copy: name, destination folder under $work, command...
timed() {
  local name="$1" dst="$2" start end
  shift 2
  rm -rf "${work:?}/$dst"; sync
  start=$(now_ms); "$@" </dev/null >/dev/null 2>&1 || true; end=$(now_ms)
  check "$dst" "$name"
  echo $((end - start)) >>"$work/times-$name"
}
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%d\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Wine's programs warm once, outside the timing.
bench_wine "$win\\tree_copy_bench.exe" "$win\\warm" "$win\\src\\dir001" </dev/null >/dev/null 2>&1 || true
bench_wine xcopy /? </dev/null >/dev/null 2>&1 || true
rm -rf "$work/warm"

for i in $(seq 1 "$runs"); do
  echo "run $i of $runs ..."
  timed vorlan dst-vorlan bench_wine "$win\\tree_copy_bench.exe" "$win\\dst-vorlan" "$win\\src"
  if [ -n "$baseline" ]; then
    timed baseline dst-baseline bench_wine "$win\\baseline.exe" "$win\\dst-baseline" "$win\\src"
  fi
  timed xcopy dst-xcopy bench_wine xcopy /s /e /y /i "$win\\src" "$win\\dst-xcopy\\"
  timed cp dst-cp cp -r "$work/src" "$work/dst-cp"
  rm -rf "${work:?}/dst-open"; sync
  start=$(now_ms)
  bench_wine "$win\\tree_copy_bench.exe" --open-only "$win\\dst-open" "$win\\src" </dev/null >/dev/null 2>&1 || true
  end=$(now_ms)
  if [ "$(cd "$work/src" && find . | sort)" != "$(cd "$work/dst-open" && find . | sort)" ]; then
    echo "copy.sh: --open-only did not make the same files" >&2
    exit 1
  fi
  rm -rf "${work:?}/dst-open"; sync
  echo $((end - start)) >>"$work/times-open"
done

vorlan=$(median <"$work/times-vorlan")
xcopy=$(median <"$work/times-xcopy")
cprun=$(median <"$work/times-cp")
opening=$(median <"$work/times-open")
echo
echo "$BENCH_BUILD_TEXT"
echo "medians of $runs runs; trees on $([ "${COPY_IN_MEMORY:-0}" = 1 ] && echo "/dev/shm" || echo "the prefix's disk"); $(uptime | sed 's/.*load/load/')"
printf '%-40s %6d ms\n' "OS::CopyFolderTree under Wine" "$vorlan"
if [ -n "$baseline" ]; then
  printf '%-40s %6d ms   (%s)\n' "baseline build of it under Wine" "$(median <"$work/times-baseline")" "$baseline"
fi
printf '%-40s %6d ms\n' "xcopy /s /e /y under Wine" "$xcopy"
printf '%-40s %6d ms\n' "cp -r on the host" "$cprun"
printf '%-40s %6d ms\n' "opening and creating each file, no bytes" "$opening"
awk -v v="$vorlan" -v x="$xcopy" -v c="$cprun" 'BEGIN {
  printf "ratio CopyFolderTree / xcopy: %.2f\nratio CopyFolderTree / cp -r: %.2f\n", v / x, v / c }'
awk -v o="$opening" -v x="$xcopy" 'BEGIN { printf "ratio opening-only / xcopy: %.2f (the per-file calls alone, one file at a time)\n", o / x }'
if [ -n "$baseline" ]; then
  awk -v v="$vorlan" -v b="$(median <"$work/times-baseline")" 'BEGIN { printf "ratio CopyFolderTree / baseline: %.2f\n", v / b }'
fi
