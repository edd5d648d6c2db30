#!/usr/bin/env bash
# CPU time of the launcher while a step on a worker thread waits 2 s for a
# program (the preparation thread waits for the section to end): it must stay
# near zero. Compared with the same run whose step does not wait.
# Not part of the tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${RUNS:-5}"
source "$root/bench/lib/wine-bench-env.sh"
bench_build_win32 Vorlan ZR_log recorder

dir="$WINEPREFIX/drive_c/bench-wait"
rm -rf "$dir"; mkdir -p "$dir/tools"
cp "$BENCH_BUILD/bin/Vorlan.exe" "$BENCH_BUILD/bin/ZR_log.dll" "$dir/"
cp "$BENCH_BUILD/test-bin/recorder.exe" "$dir/tools/sleeper.exe"
printf '[recorder]\r\nSleepMs=2000\r\n' > "$dir/tools/sleeper.exe.cfg"
write_options() {  # wait flag
  printf '[Main]\r\nIsShow=0\r\n[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=1\r\nArgument_0=PreLoad\r\nIsPreLoad_0=1\r\n' > "$dir/VorlanCfg.ini"
  printf '[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=tools\\sleeper.exe\r\nWait=%s\r\n' "$1" >> "$dir/VorlanCfg.ini"
}

Xvfb :88 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wineserver -k >/dev/null 2>&1 || true' EXIT
sleep 1
export DISPLAY=:88

measure() {  # prints "wall_ms cpu_ms" averaged over the runs (the Wine process of the launcher)
  local wall=0 cpu=0
  for _ in $(seq 1 "$runs"); do
    local t0 t1
    t0=$(date +%s%N)
    local out
    out=$( { TIMEFORMAT='%3U %3S'; time env LC_ALL=zh_CN.UTF-8 "$VORLAN_WINE" 'C:\bench-wait\Vorlan.exe' NewVorlan 1 >/dev/null 2>&1; } 2>&1 )
    t1=$(date +%s%N)
    wall=$((wall + (t1 - t0) / 1000000))
    cpu=$(awk -v c="$cpu" -v o="$out" 'BEGIN { split(o, a, " "); printf "%d", c + (a[1] + a[2]) * 1000 }')
  done
  echo "$((wall / runs)) $((cpu / runs))"
}

write_options 1
read -r wall_wait cpu_wait < <(measure)
write_options 0
read -r wall_nowait cpu_nowait < <(measure)
echo "launcher, pre-loaded step waiting 2 s: wall ${wall_wait} ms, CPU ${cpu_wait} ms (user+system, mean of $runs)"
echo "launcher, same step not waiting:       wall ${wall_nowait} ms, CPU ${cpu_nowait} ms"
echo "CPU spent on the 2 s wait: $((cpu_wait - cpu_nowait)) ms"
