# Sourced by the native benchmarks: an optimised native tree without the
# sanitizers in build/bench.
bench_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
bench_build_native() {
  cmake -S "$bench_root" -B "$bench_root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORLAN_SANITIZE=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build "$bench_root/build/bench" --target "$@" -j2 >/dev/null
}
