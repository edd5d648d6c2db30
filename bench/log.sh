#!/usr/bin/env bash
# Logging throughput: lines per second through the facade natively (format
# and conversion only) and under Wine through the facade and ZR_log.dll into
# the day's log file, with 1 and 4 threads. Not part of the tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/bench/lib/native-bench-env.sh"
bench_build_native log_bench_native
"$root/build/bench/bench/log_bench_native"

source "$root/bench/lib/wine-bench-env.sh"
bench_build_win32 log_bench_win ZR_log
dir="$WINEPREFIX/drive_c/bench-log"
rm -rf "$dir"; mkdir -p "$dir"
cp "$BENCH_BUILD/bench/log_bench_win.exe" "$BENCH_BUILD/bin/ZR_log.dll" "$dir/"
bench_wine 'C:\bench-log\log_bench_win.exe'
echo "log written: $(cat "$dir"/Log/*.log | wc -l) lines, $(du -sh "$dir/Log" | cut -f1)"
