#pragma once
// Ownership of a named mutex for the length of one operation, across the
// threads and processes of this PC: waits (up to a limit) to own it, and
// releases it when the owner goes away. A mutex left by a process that
// ended while it owned it is owned all the same, and that is reported, so
// the caller can check what that process may have left half-done.

#include <windows.h>

#include <string>

#include "platform/win/scoped_resource.h"

namespace OS {

class ScopedNamedMutexLock {
 public:
  enum class State { Owned, OwnedAfterAbandon, TimedOut, Failed };

  ScopedNamedMutexLock(const std::wstring& name, DWORD timeoutMs);
  ~ScopedNamedMutexLock();
  ScopedNamedMutexLock(const ScopedNamedMutexLock&) = delete;
  ScopedNamedMutexLock& operator=(const ScopedNamedMutexLock&) = delete;

  bool Owned() const { return state_ == State::Owned || state_ == State::OwnedAfterAbandon; }
  State GetState() const { return state_; }
  // The error of the failed create or wait (Failed only).
  DWORD Error() const { return error_; }

 private:
  ScopedHandle mutex_;
  State state_ = State::Failed;
  DWORD error_ = 0;
};

}  // namespace OS
