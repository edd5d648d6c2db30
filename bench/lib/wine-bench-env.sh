# Sourced by the Wine benchmarks: which build is measured, a prefix of their
# own (build/bench-wine), made on first use, served by a persistent
# wineserver while the script runs.
#
# The build is the one this host can run (scripts/lib/windows-host.sh): the
# product build (preset win32, build/win32, `wine`) where 32-bit programs
# run, otherwise the x86-64 check build (preset win64check, build/win64check,
# /usr/lib/wine/wine64). BENCH_PRESET=win32|win64check picks one by hand;
# BENCH_WINEPREFIX names another prefix. The product build on a host that
# cannot run it is measured in the place of scripts/win32-host:
#   BENCH_PRESET=win32 scripts/win32-host run -- bench/<name>.sh
# (build it on the host first: the place has no compilers). The output names
# the place: figures measured in the emulated machine are never to be
# compared with figures measured without emulation.
#
# Sets BENCH_PRESET, BENCH_BUILD (the build folder), VORLAN_WINE (the loader),
# BENCH_BUILD_TEXT (one line naming what is measured and where, for the output).
bench_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# shellcheck source=../../scripts/lib/windows-host.sh
source "$bench_root/scripts/lib/windows-host.sh"
BENCH_PRESET="${BENCH_PRESET:-$VORLAN_WINDOWS_PRESET}"
case "$BENCH_PRESET" in
  win32) VORLAN_WINE=wine; bench_arch="32-bit product build" ;;
  win64check) VORLAN_WINE=/usr/lib/wine/wine64; bench_arch="x86-64 check build" ;;
  *) echo "wine-bench-env: unknown BENCH_PRESET $BENCH_PRESET (win32 or win64check)" >&2; exit 2 ;;
esac
case "${VORLAN_WIN32_HOST_INSIDE:-}" in
  chroot) bench_place="in the chroot of scripts/win32-host (no emulation)" ;;
  vm) bench_place="in the emulated machine of scripts/win32-host (qemu TCG: never compare with figures measured without emulation)" ;;
  *)
    bench_place="on this host (no emulation)"
    if [ "$BENCH_PRESET" = win32 ] && [ "$VORLAN_WIN32_PLACE" != host ]; then
      echo "wine-bench-env: this host runs no 32-bit Windows program; measure the product with: BENCH_PRESET=win32 scripts/win32-host run -- bench/$(basename "$0")" >&2
      exit 2
    fi ;;
esac
export VORLAN_WINE BENCH_PRESET
BENCH_BUILD="$bench_root/build/$BENCH_PRESET"
BENCH_BUILD_TEXT="build measured: $BENCH_PRESET ($bench_arch, build/$BENCH_PRESET, under $VORLAN_WINE), $bench_place"

export WINEPREFIX="${BENCH_WINEPREFIX:-$bench_root/build/bench-wine/prefix}" WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/.vorlan-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  env LC_ALL=zh_CN.UTF-8 "$VORLAN_WINE" wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.vorlan-ready"
fi
wineserver -p </dev/null >/dev/null 2>&1 || true
# Wine's services, started by the first program, keep the server busy for a
# moment: let them settle before anything is timed.
env LC_ALL=zh_CN.UTF-8 "$VORLAN_WINE" wineboot </dev/null >/dev/null 2>&1 || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
bench_wine() { env LC_ALL=zh_CN.UTF-8 "$VORLAN_WINE" "$@"; }
# Builds targets of the measured build.
bench_build() {
  if [ -n "${VORLAN_WIN32_HOST_INSIDE:-}" ]; then
    return 0   # no compilers in the place: built on the host beforehand
  fi
  cmake --preset "$BENCH_PRESET" >/dev/null
  cmake --build --preset "$BENCH_PRESET" --target "$@" -- -j2 >/dev/null
}
# The older name, kept for the scripts that use it.
bench_build_win32() { bench_build "$@"; }
