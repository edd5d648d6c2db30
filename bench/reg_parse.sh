#!/usr/bin/env bash
# Reading speed of a registry editor file (.reg) natively: writes a
# version-5 file (UTF-16LE) of about 50,000 values of every kind, builds an
# optimised tree without the sanitizers (build/bench) and parses the file
# there. Not part of the tests.
#   bench/reg_parse.sh [values]      (default 50000)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/bench/lib/native-bench-env.sh"
bench_build_native reg_parse_bench
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

source "$root/bench/lib/bench-reg-file.sh"
make_bench_reg "${1:-50000}" "$work/bench.reg"
"$root/build/bench/bench/reg_parse_bench" "$work/bench.reg"
