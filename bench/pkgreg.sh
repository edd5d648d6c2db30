#!/usr/bin/env bash
# Load-and-check speed of registry script files, natively, against a plain
# read of the same file. Builds an optimised tree without sanitizers in
# build/bench and runs the benchmark there.
#   bench/pkgreg.sh [megabytes]      (default 10)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLAN_SANITIZE=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --target pkgreg_load_bench -j2 >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/pkgreg_load_bench" "$work" "${1:-10}"
