#!/usr/bin/env bash
# The "ImportReg" step's import of a registry editor file of about 50,000
# values (bench/lib/bench-reg-file.sh) under Wine, against Wine's own
# `reg import` of the same file, in one run, as a ratio of wall times (both
# include starting a Wine process). The registry keys of the file are
# removed before each import. Also prints the native parse speed
# (bench/reg_parse.sh). Not part of the tests.
#
#   bench/reg_import.sh [values]            (default 50000)
#   BENCH_PRESET=win32|win64check bench/reg_import.sh   (default: the build this host runs)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/bench/lib/wine-bench-env.sh"  # picks the build this host runs, or BENCH_PRESET
preset="$BENCH_PRESET"
bench_build reg_import_bench
exe="$root/build/$preset/bench/reg_import_bench.exe"

work="$WINEPREFIX/drive_c/vorlan-reg-bench"
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true' EXIT
source "$root/bench/lib/bench-reg-file.sh"
make_bench_reg "${1:-50000}" "$work/bench.reg"
win='C:\vorlan-reg-bench\bench.reg'

clear_keys() {
  bench_wine reg delete 'HKLM\SOFTWARE\Bench' /f </dev/null >/dev/null 2>&1 || true
}
now() { date +%s.%N; }

clear_keys
t0=$(now)
ours=$(bench_wine "$exe" "$win" 'C:\Games\Bench' </dev/null 2>/dev/null | tr -d '\r')
t1=$(now)
clear_keys
t2=$(now)
bench_wine reg import "$win" </dev/null >/dev/null 2>&1
t3=$(now)
clear_keys

vorlan=$(echo "$t1 - $t0" | bc)
wine_reg=$(echo "$t3 - $t2" | bc)
echo "file:          $(stat -c %s "$work/bench.reg") bytes"
echo "ImportReg:     ${vorlan} s  ($ours)"
echo "reg import:    ${wine_reg} s"
echo "ratio:         $(echo "scale=2; $vorlan / $wine_reg" | bc) (ImportReg / reg import)"
echo "$BENCH_BUILD_TEXT"
