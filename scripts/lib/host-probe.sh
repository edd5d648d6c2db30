# Sourced: what this host can run, asked of the host itself.
#
# vorlan_kernel_runs_i386   the kernel executes a 32-bit x86 program of its
#                           own (a 96-byte static ELF that exits with 42), and
#                           not through a user-mode emulator registered in
#                           binfmt_misc (Wine cannot be trusted there:
#                           docs/testing.md).
# vorlan_host_runs_win32    Wine's 32-bit loader itself starts here. Debian's
#                           `wine` wrapper falls back to wine64 without wine32,
#                           so `wine --version` alone proves nothing.

vorlan_i386_emulated_by_binfmt() {
  local f
  for f in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$f" ] || continue
    case "$(basename "$f")" in register|status) continue ;; esac
    if grep -qx enabled "$f" 2>/dev/null && grep -q '^interpreter .*qemu-i386' "$f" 2>/dev/null; then
      return 0
    fi
  done
  return 1
}

vorlan_kernel_runs_i386() {
  local probe rc
  probe="$(mktemp "${TMPDIR:-/tmp}/vorlan-i386-probe.XXXXXX")" || return 1
  # ELF header, one PT_LOAD header, then: mov eax,1; mov ebx,42; int 0x80
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' > "$probe"
  chmod +x "$probe"
  "$probe" >/dev/null 2>&1
  rc=$?
  rm -f "$probe"
  [ "$rc" -eq 42 ] && ! vorlan_i386_emulated_by_binfmt
}

vorlan_host_runs_win32() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1 && vorlan_kernel_runs_i386
}
