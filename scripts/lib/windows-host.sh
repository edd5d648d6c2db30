# Sourced by scripts/test and scripts/demo: which build of the Windows program
# this host can run under Wine.
#
# The product is a 32-bit program, run by Wine's 32-bit loader. Some hosts
# cannot execute 32-bit programs at all (a kernel without IA-32 emulation:
# Wine's 32-bit loader fails with "Exec format error"). There the same
# sources are built for x86-64 (preset win64check) and run under wine64, and
# the cases that depend on a 32-bit process on 64-bit Windows are left out
# (label "wow64"); see docs/testing.md.
#
# Sets VORLAN_WINDOWS_PRESET (win32 or win64check) and VORLAN_WINE (the loader).
if wine --version >/dev/null 2>&1; then
  VORLAN_WINDOWS_PRESET=win32
  VORLAN_WINE=wine
else
  VORLAN_WINDOWS_PRESET=win64check
  VORLAN_WINE=/usr/lib/wine/wine64
fi
export VORLAN_WINE
