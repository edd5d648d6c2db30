#include "platform/win/wow64_redirection.h"

namespace OS {
namespace {
// Owners on this thread that have redirection switched off.
thread_local int t_switchedOff = 0;
}  // namespace

Wow64Redirection& Wow64Redirection::Instance() {
  static Wow64Redirection instance;
  return instance;
}

Wow64Redirection::Wow64Redirection() {
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return;
  disable_ = reinterpret_cast<DisableFn>(::GetProcAddress(kernel, "Wow64DisableWow64FsRedirection"));
  revert_ = reinterpret_cast<RevertFn>(::GetProcAddress(kernel, "Wow64RevertWow64FsRedirection"));
}

BOOL Wow64Redirection::Disable(PVOID* oldValue) const { return disable_ ? disable_(oldValue) : FALSE; }
BOOL Wow64Redirection::Revert(PVOID oldValue) const { return revert_ ? revert_(oldValue) : FALSE; }

ScopedRedirectionOff::ScopedRedirectionOff() {
  disableResult_ = Wow64Redirection::Instance().Disable(&oldValue_);
  if (disableResult_) ++t_switchedOff;
}

ScopedRedirectionOff::~ScopedRedirectionOff() { Revert(); }

BOOL ScopedRedirectionOff::Revert() {
  if (reverted_) return FALSE;
  reverted_ = true;
  if (disableResult_) --t_switchedOff;
  DWORD error = ::GetLastError();
  BOOL result = Wow64Redirection::Instance().Revert(oldValue_);
  ::SetLastError(error);
  return result;
}

bool ScopedRedirectionOff::IsOffOnThisThread() { return t_switchedOff > 0; }

}  // namespace OS
