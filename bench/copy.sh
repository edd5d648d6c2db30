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
# it once, then, RUNS times (default 3), taking turns:
#   1. tree_copy_bench.exe (OS::CopyFolderTree) under Wine, three times onto
#      the same folder: the first copy into a fresh folder; again onto the
#      finished copy (a day's first start on a PC that has the files); and
#      once more after 1% of the copied files (20, one in every tenth folder)
#      were rewritten with other bytes of the same size, as a game would
#   2. xcopy /s /e /y under Wine, into a fresh folder and again onto it
#   3. cp -r on the host
#   4. tree_copy_bench.exe --open-only under Wine: every folder made, every
#      file opened and every copy created and closed, no byte copied: the
#      least any copy through the Win32 file calls costs under this Wine
# and prints the median wall times (each program's start under Wine
# included) and the ratios to xcopy. Every copy is checked against the
# source (4: the same files, empty). Wine prefix: the benchmarks' own
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
}
# One timed copy onto whatever is at the destination: name, destination
# folder under $work, command... The destination stays.
timed_onto() {
  local name="$1" dst="$2" start end
  shift 2
  sync
  start=$(now_ms); "$@" </dev/null >"$work/out" 2>/dev/null || true; end=$(now_ms)
  check "$dst" "$name"
  echo $((end - start)) >>"$work/times-$name"
  # The program's own time, without its start under Wine.
  sed -n 's/.*ms=\([0-9.]*\).*/\1/p' "$work/out" >>"$work/inside-$name"
}
# One timed copy into a fresh folder, removed afterwards.
timed() {
  rm -rf "${work:?}/$2"
  timed_onto "$@"
  rm -rf "${work:?}/$2"
  sync
}
# The tree copy first into a fresh folder, again onto it, then with 1% of
# its files changed: name, program.
three_copies() {
  local name="$1" program="$2" dst="dst-$1" d
  rm -rf "${work:?}/$dst"
  timed_onto "$name" "$dst" bench_wine "$win\\$program" "$win\\$dst" "$win\\src"
  timed_onto "$name-again" "$dst" bench_wine "$win\\$program" "$win\\$dst" "$win\\src"
  for d in $(seq -w 1 10 200); do
    head -c 102400 /dev/urandom >"$work/$dst/dir$d/file01.bin"
  done
  timed_onto "$name-1pct" "$dst" bench_wine "$win\\$program" "$win\\$dst" "$win\\src"
  rm -rf "${work:?}/$dst"
  sync
}
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%d\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Wine's programs warm once, outside the timing.
bench_wine "$win\\tree_copy_bench.exe" "$win\\warm" "$win\\src\\dir001" </dev/null >/dev/null 2>&1 || true
bench_wine xcopy /? </dev/null >/dev/null 2>&1 || true
rm -rf "$work/warm"

for i in $(seq 1 "$runs"); do
  echo "run $i of $runs ..."
  three_copies vorlan tree_copy_bench.exe
  if [ -n "$baseline" ]; then
    three_copies baseline baseline.exe
  fi
  rm -rf "${work:?}/dst-xcopy"
  timed_onto xcopy dst-xcopy bench_wine xcopy /s /e /y /i "$win\\src" "$win\\dst-xcopy\\"
  timed_onto xcopy-again dst-xcopy bench_wine xcopy /s /e /y /i "$win\\src" "$win\\dst-xcopy\\"
  rm -rf "${work:?}/dst-xcopy"
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

m() { median <"$work/times-$1"; }
inside() { median <"$work/inside-$1"; }
xcopy=$(m xcopy)
echo
echo "$BENCH_BUILD_TEXT"
echo "medians of $runs runs; trees on $([ "${COPY_IN_MEMORY:-0}" = 1 ] && echo "/dev/shm" || echo "the prefix's disk"); $(uptime | sed 's/.*load/load/')"
echo "wall times, each program's start under Wine included (in brackets: the copy alone, as the program timed it)"
for kind in vorlan baseline; do
  [ "$kind" = vorlan ] || [ -n "$baseline" ] || continue
  label="OS::CopyFolderTree"
  [ "$kind" = vorlan ] || label="baseline build"
  printf '%-52s %6d ms  (%s)\n' "$label, first copy" "$(m "$kind")" "$(inside "$kind")"
  printf '%-52s %6d ms  (%s)\n' "$label, again onto the finished copy" "$(m "$kind-again")" "$(inside "$kind-again")"
  printf '%-52s %6d ms  (%s)\n' "$label, again with 1% of the files changed" "$(m "$kind-1pct")" "$(inside "$kind-1pct")"
done
[ -z "$baseline" ] || echo "baseline: $baseline"
printf '%-52s %6d ms\n' "xcopy /s /e /y under Wine, first copy" "$xcopy"
printf '%-52s %6d ms\n' "xcopy /s /e /y under Wine, again onto it" "$(m xcopy-again)"
printf '%-52s %6d ms\n' "cp -r on the host" "$(m cp)"
printf '%-52s %6d ms\n' "opening and creating each file, no bytes" "$(m open)"
awk -v v="$(m vorlan)" -v a="$(m vorlan-again)" -v p="$(m vorlan-1pct)" -v x="$xcopy" -v xa="$(m xcopy-again)" \
    -v c="$(m cp)" -v o="$(m open)" 'BEGIN {
  printf "ratio first copy / xcopy:              %.2f\n", v / x
  printf "ratio first copy / cp -r:              %.2f\n", v / c
  printf "ratio again, unchanged / xcopy:        %.3f (goal: at most 0.1; xcopy again onto its copy: %.3f)\n", a / x, a / xa
  printf "ratio again, 1%% changed / xcopy:       %.3f (goal: at most 0.15; xcopy again onto its copy: %.3f)\n", p / x, p / xa
  printf "ratio opening-only / xcopy:            %.2f (the per-file calls alone, one file at a time)\n", o / x }'
if [ -n "$baseline" ]; then
  for run in first again 1pct; do
    suffix="-$run"
    [ "$run" != first ] || suffix=""
    awk -v name="$run" -v v="$(m "vorlan$suffix")" -v b="$(m "baseline$suffix")" \
      'BEGIN { printf "ratio CopyFolderTree / baseline, %-7s %.2f\n", name ":", v / b }'
  done
fi
