#pragma once
// WOW64 file-system redirection. The entry points are looked up in
// kernel32.dll once per process (they do not exist before Windows XP x64);
// the switch acts on the calling thread only.

#include <windows.h>

namespace OS {

class Wow64Redirection {
 public:
  static Wow64Redirection& Instance();

  // Results as the system calls return them; 0 when the entry point is missing.
  BOOL Disable(PVOID* oldValue) const;
  BOOL Revert(PVOID oldValue) const;

 private:
  Wow64Redirection();
  using DisableFn = BOOL(WINAPI*)(PVOID*);
  using RevertFn = BOOL(WINAPI*)(PVOID);
  DisableFn disable_ = nullptr;
  RevertFn revert_ = nullptr;
};

// Switches redirection off for the calling thread and back on when it goes
// out of scope (or earlier, through Revert), so no path can leave a thread
// redirected.
class ScopedRedirectionOff {
 public:
  ScopedRedirectionOff();
  ~ScopedRedirectionOff();
  ScopedRedirectionOff(const ScopedRedirectionOff&) = delete;
  ScopedRedirectionOff& operator=(const ScopedRedirectionOff&) = delete;

  BOOL DisableResult() const { return disableResult_; }
  // Switches back now; returns the revert call's result. Later calls return 0.
  BOOL Revert();

  // Whether an owner on the calling thread has redirection switched off
  // now. Helper threads of an operation ask it, so that they see the file
  // system the way the thread they work for sees it.
  static bool IsOffOnThisThread();

 private:
  PVOID oldValue_ = nullptr;
  BOOL disableResult_ = FALSE;
  bool reverted_ = false;
};

}  // namespace OS
