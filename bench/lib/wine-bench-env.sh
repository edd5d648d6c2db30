# Sourced by the Wine benchmarks: a prefix of their own (build/bench-wine),
# made on first use, served by a persistent wineserver while the script runs.
# VORLAN_WINE names the loader (wine64 for the x86-64 check build).
bench_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export WINEPREFIX="$bench_root/build/bench-wine/prefix" WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/.vorlan-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  env LC_ALL=zh_CN.UTF-8 "${VORLAN_WINE:-wine}" wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.vorlan-ready"
fi
wineserver -p </dev/null >/dev/null 2>&1 || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
bench_wine() { env LC_ALL=zh_CN.UTF-8 "${VORLAN_WINE:-wine}" "$@"; }
# Builds targets of the win32 preset.
bench_build_win32() {
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target "$@" -j2 >/dev/null
}
