#!/usr/bin/env bash
# Parse of a client-service reply with 10,000 package records against a bare
# JsonCpp parse of the same text. Builds an optimised native tree without the
# sanitizers (build/bench) and runs the program there. Not part of the tests.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/bench/lib/native-bench-env.sh"
bench_build_native packets_bench
"$root/build/bench/bench/packets_bench"
