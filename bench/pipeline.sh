#!/usr/bin/env bash
# Wall time of a whole launcher run with 20 steps that have nothing to do,
# against a bare Win32 program that does nothing, both under Wine, as a
# ratio (mean of several runs each). Not part of the tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${RUNS:-15}"
source "$root/bench/lib/wine-bench-env.sh"
bench_build_win32 Vorlan ZR_log bare_win32

dir="$WINEPREFIX/drive_c/bench-pipeline"
rm -rf "$dir"; mkdir -p "$dir"
cp "$root/build/win32/bin/Vorlan.exe" "$root/build/win32/bin/ZR_log.dll" "$root/build/win32/bench/bare_win32.exe" "$dir/"
{
  printf '[Main]\r\nIsShow=0\r\n[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=20\r\n'
  steps=(Map ImportReg keys Display Compatible GamePath RegDll RegService Copy Junction)
  for i in $(seq 0 19); do printf 'Argument_%d=%s\r\n' "$i" "${steps[$((i % 10))]}"; done
} > "$dir/VorlanCfg.ini"

mean_ms() {  # command...
  local total=0 start end
  "$@" >/dev/null 2>&1  # warm-up
  for _ in $(seq 1 "$runs"); do
    start=$(date +%s%N); "$@" >/dev/null 2>&1; end=$(date +%s%N)
    total=$((total + (end - start) / 1000))
  done
  echo $((total / runs / 1000))
}
# One X server for all runs, so that its start-up is not measured.
Xvfb :87 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wineserver -k >/dev/null 2>&1 || true' EXIT
sleep 1
export DISPLAY=:87
launcher=$(mean_ms env LC_ALL=zh_CN.UTF-8 wine 'C:\bench-pipeline\Vorlan.exe' NewVorlan 1)
bare=$(mean_ms env LC_ALL=zh_CN.UTF-8 wine 'C:\bench-pipeline\bare_win32.exe')
steps=$(grep -c '开始执行' <(iconv -f GBK -t UTF-8 "$dir"/Log/*.log) || true)
echo "launcher, 20 steps: ${launcher} ms per run (mean of $runs)"
echo "bare Win32 program: ${bare} ms per run"
awk -v a="$launcher" -v b="$bare" 'BEGIN { printf "ratio launcher/bare: %.2f\n", a / b }'
echo "(steps started over all runs: $steps)"
