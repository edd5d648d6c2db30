# Sourced by scripts/test and scripts/demo: where each build of the Windows
# program runs (docs/testing.md).
#
# The product is a 32-bit program, run by Wine's 32-bit loader. Where that
# loader starts on this host, everything runs here on the product build.
# Elsewhere the product runs in the place scripts/win32-host makes (a chroot
# of our own where the kernel runs 32-bit code, else an emulated machine),
# and, where that place is an emulated machine, the same sources built for
# x86-64 (preset win64check, under wine64) carry the full suite on the host.
#
# Sets VORLAN_WIN32_PLACE (host, chroot or vm), VORLAN_WINDOWS_PRESET (the
# build run on this host: win32 or win64check) and VORLAN_WINE (its loader).
. "$(dirname "${BASH_SOURCE[0]}")/host-probe.sh"
VORLAN_WIN32_PLACE="$("$(dirname "${BASH_SOURCE[0]}")/../win32-host" where)" || VORLAN_WIN32_PLACE=vm
if [ "$VORLAN_WIN32_PLACE" = host ]; then
  VORLAN_WINDOWS_PRESET=win32
  VORLAN_WINE=wine
else
  VORLAN_WINDOWS_PRESET=win64check
  VORLAN_WINE=/usr/lib/wine/wine64
fi
export VORLAN_WINE
