#!/usr/bin/env bash
# Long fuzzing: every fuzz target of the native tree, under AddressSanitizer
# and UBSan, for a number of executions each (10^7 by default), then one line
# per target: executions, corpus size, findings. Inputs found go to
# build/fuzz/<target>/corpus; crashing inputs to build/fuzz/<target>/findings.
# Built optimised (preset "fuzz", build/native-fuzz) with the same sanitizers:
# several times the executions per second of the Debug tree.
# Not part of the tests (they run each target for seconds only).
#   bench/fuzz.sh [runs] [target ...]        FUZZ_CHUNK=<n>: executions per process (10^6)
# A finding is to become a test case beside the target's unit tests.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-10000000}"
chunk="${FUZZ_CHUNK:-1000000}"
shift || true
"$root/scripts/bootstrap" >/dev/null
cmake --preset fuzz >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(create_packet_fuzz pkgreg_load_fuzz reg_file_fuzz steps_core_fuzz option_lists_fuzz profile_section_fuzz)
cmake --build --preset fuzz --target "${targets[@]}" >/dev/null || { echo "fuzz: build failed" >&2; exit 1; }

# Seeds and dictionaries of the targets that have them.
seeds_of() {
  case "$1" in
    create_packet_fuzz) echo "$root/tests/assoc/fuzz/seeds" ;;
    pkgreg_load_fuzz) echo "$root/tests/pkg_reg/fuzz/seeds" ;;
    reg_file_fuzz) echo "$root/tests/steps/registry/fuzz/reg_file_seeds" ;;
  esac
}
dict_of() {
  case "$1" in
    reg_file_fuzz) echo "-dict=$root/tests/steps/registry/fuzz/reg_file.dict" ;;
  esac
}

# The sanitizer allocator keeps freed memory per size class; over millions of
# runs that reads as growth of the process without any live allocation.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}allocator_release_to_os_interval_ms=500"

status=0
printf '%-20s %14s %10s %9s %8s\n' target executions corpus findings seconds
for t in "${targets[@]}"; do
  exe="$(find "$root/build/native-fuzz" -name "$t" -type f -perm -u+x | head -n 1)"
  [ -n "$exe" ] || { echo "fuzz: $t not built" >&2; status=1; continue; }
  work="$root/build/fuzz/$t"
  mkdir -p "$work/corpus" "$work/findings"
  start=$(date +%s)
  : >"$work/log.txt"
  executions=0
  rc=0
  # In runs of at most $chunk executions, each a fresh process on the corpus
  # so far: the sanitizer allocator's memory grows with the executions of a
  # process (by about 2 KB each for the packet target, with no allocation
  # live), and a single run of 10^7 would end at the memory limit.
  while [ "$executions" -lt "$runs" ]; do
    n=$(( runs - executions < chunk ? runs - executions : chunk ))
    # shellcheck disable=SC2046
    "$exe" -runs="$n" -rss_limit_mb=4096 -malloc_limit_mb=512 -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$work/findings/" $(dict_of "$t") "$work/corpus" $(seeds_of "$t") >"$work/chunk.txt" 2>&1
    rc=$?
    cat "$work/chunk.txt" >>"$work/log.txt"
    got="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/chunk.txt" | grep -o '[0-9]*$' | tail -n 1)"
    executions=$(( executions + ${got:-0} ))
    if [ "$rc" -ne 0 ] || [ -z "$got" ] || [ "$(find "$work/findings" -type f | wc -l)" -ne 0 ]; then break; fi
  done
  seconds=$(( $(date +%s) - start ))
  findings="$(find "$work/findings" -type f | wc -l)"
  corpus="$(find "$work/corpus" -type f | wc -l)"
  printf '%-20s %14s %10s %9s %8s\n' "$t" "${executions:-?}" "$corpus" "$findings" "$seconds"
  if [ "$rc" -ne 0 ] || [ "$findings" -ne 0 ]; then
    echo "fuzz: $t ended with $rc; see $work/log.txt and $work/findings" >&2
    status=1
  fi
done
exit $status
