#!/usr/bin/env bash
# Wall time of a whole launcher run with 20 steps that have nothing to do,
# against two programs under the same Wine: a bare Win32 program that does
# nothing (bare_win32.exe), and the floor (launcher_floor.exe): what any
# launcher must do under Wine (common controls, COM and one class asked
# for, a hidden window, the logging library loaded). Medians of RUNS runs
# each (default 15), the three programs taking turns, and the median of
# each round's own launcher/floor ratio: this machine's speed drifts by a
# fifth over minutes, which the ratio of the medians follows. Then where the
# launcher's time goes, from its log's millisecond timestamps and the host's
# clock around each run. Not part of the tests.
#
#   bench/pipeline.sh                 RUNS=25 bench/pipeline.sh
#   BENCH_PRESET=win32|win64check     picks the build (default: the one this host runs)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${RUNS:-15}"
source "$root/bench/lib/wine-bench-env.sh"
bench_build Vorlan ZR_log bare_win32 launcher_floor

dir="$WINEPREFIX/drive_c/bench-pipeline"
rm -rf "$dir"; mkdir -p "$dir"
cp "$BENCH_BUILD/bin/Vorlan.exe" "$BENCH_BUILD/bin/ZR_log.dll" "$BENCH_BUILD/bench/bare_win32.exe" \
  "$BENCH_BUILD/bench/launcher_floor.exe" "$dir/"
# The game menu program was started by the day's first run, which marked
# the day: the measured runs are the day's later ones, which only read the
# mark, as on a café PC.
bench_wine reg add "HKCU\\SOFTWARE\\tarpen\\$(date +%Y.%-m.%-d)" /v Tovik.exe /t REG_DWORD /d 1 /f >/dev/null 2>&1 \
  || echo "pipeline.sh: the day mark of the menu start cannot be written" >&2
{
  printf '[Main]\r\nIsShow=0\r\n[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=20\r\n'
  steps=(Map ImportReg keys Display Compatible GamePath RegDll RegService Copy Junction)
  for i in $(seq 0 19); do printf 'Argument_%d=%s\r\n' "$i" "${steps[$((i % 10))]}"; done
} > "$dir/VorlanCfg.ini"

# One X server of its own for all runs, so that its start-up is not measured.
work="$(mktemp -d)"
Xvfb -displayfd 9 -nolisten tcp 9>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wineserver -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
for _ in $(seq 1 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
cd "$dir"  # the launcher's current directory, as the game menu leaves it

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
run_ms() {  # program [arguments]: wall time of one run under Wine
  local start end
  start=$(now_ms); bench_wine "$@" </dev/null >/dev/null 2>&1 || true; end=$(now_ms)
  echo $((end - start)) "$start" "$end"
}

# Where one launcher run's time went: host start, the log's lines, host end.
# Prints: total, to the first log line, start-up (first line to "Thread Start
# Time"), before the first step, steps, after the last step to "Thread End
# Time", process end, and the elapsed figure of the run's summary line.
phases() {  # start_ms end_ms
  cat "$dir"/Log/*.log 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r' | awk -F'\t' -v start="$1" -v end="$2" '
    function ms(stamp,   d) {
      d = stamp; gsub(/[-:]/, " ", d); split(d, p, ".")
      return mktime(p[1]) * 1000 + p[2]
    }
    NF < 5 { next }
    { t = ms($1) }
    first == "" { first = t }
    /Thread Start Time/ { started = t }
    /ProcessManage\.开始执行/ && stepStart == "" { stepStart = t }
    /ProcessManage\.已执行/ { stepEnd = t }
    /Thread End Time/ { ended = t }
    /SummaryOption:/ { match($5, /elapsed [0-9]+/); summary = substr($5, RSTART + 8, RLENGTH - 8) }
    END {
      if (first == "" || started == "" || stepStart == "" || ended == "") { print "incomplete"; exit }
      # total, to the first line, start-up, decisions, steps, end, process end, summary
      printf "%d %d %d %d %d %d %d %s\n", end - start, first - start, started - first, stepStart - started,
             stepEnd - stepStart, ended - stepEnd, end - ended, summary
    }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "?"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%d\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Warm-up: Wine's desktop process and the page cache.
for p in Vorlan bare_win32 launcher_floor; do bench_wine "C:\\bench-pipeline\\$p.exe" NewVorlan 1 </dev/null >/dev/null 2>&1 || true; done

: >"$work/launcher"; : >"$work/bare"; : >"$work/floor"; : >"$work/phases"
for _ in $(seq 1 "$runs"); do
  # Only this run's lines, in the day's log file as a later run finds it:
  # there already (the warm-up made it), emptied rather than removed.
  for log in "$dir"/Log/*.log; do if [ -e "$log" ]; then : >"$log"; fi; done
  read -r total start end < <(run_ms 'C:\bench-pipeline\Vorlan.exe' NewVorlan 1)
  echo "$total" >>"$work/launcher"
  phases "$start" "$end" >>"$work/phases"
  run_ms 'C:\bench-pipeline\launcher_floor.exe' | cut -d' ' -f1 >>"$work/floor"
  run_ms 'C:\bench-pipeline\bare_win32.exe' | cut -d' ' -f1 >>"$work/bare"
done

incomplete=$(grep -c incomplete "$work/phases" || true)
grep -v incomplete "$work/phases" >"$work/complete" || true
col() { cut -d' ' -f"$1" "$work/complete" | median; }
launcher=$(median <"$work/launcher")
floor=$(median <"$work/floor")
bare=$(median <"$work/bare")

echo "$BENCH_BUILD_TEXT"
echo "medians of $runs runs each; $(uptime | sed 's/.*load/load/')"
printf '%-44s %5s ms\n' "launcher, 20 steps with nothing to do" "$launcher"
printf '%-44s %5s ms\n' "floor (launcher_floor.exe)" "$floor"
printf '%-44s %5s ms\n' "bare Win32 program (bare_win32.exe)" "$bare"
awk -v a="$launcher" -v f="$floor" -v b="$bare" 'BEGIN {
  printf "ratio launcher/floor: %.2f   launcher/bare: %.2f   floor/bare: %.2f\n", a / f, a / b, f / b }'
# The machine's speed drifts over minutes; within one round it hardly does.
paste -d' ' "$work/launcher" "$work/floor" | awk '$2 > 0 { printf "%.4f\n", $1 / $2 }' | sort -n |
  awk '{ v[NR] = $1 } END { if (NR) printf "ratio launcher/floor, median of the %d rounds'"'"' own ratios: %.2f\n", NR, v[int((NR + 1) / 2)] }'
echo
echo "where the launcher's time goes (medians; log timestamps have 1 ms resolution):"
printf '  %-58s %5s ms\n' \
  "process start to its first log line" "$(col 2)" \
  "start-up: first line to \"Thread Start Time\"" "$(col 3)" \
  "decisions: \"Thread Start Time\" to the first step" "$(col 4)" \
  "20 steps: first step's start to last step's end" "$(col 5)" \
  "end: last step's end to \"Thread End Time\"" "$(col 6)" \
  "process end: \"Thread End Time\" to the host seeing the exit" "$(col 7)" \
  "(the run's own summary line: elapsed)" "$(col 8)"
[ "$incomplete" -eq 0 ] || echo "($incomplete of $runs runs left an incomplete log and are not in the breakdown)"
