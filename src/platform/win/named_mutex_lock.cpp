#include "platform/win/named_mutex_lock.h"

namespace OS {

ScopedNamedMutexLock::ScopedNamedMutexLock(const std::wstring& name, DWORD timeoutMs) {
  mutex_.Reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
  if (!mutex_) {
    error_ = ::GetLastError();
    return;
  }
  switch (::WaitForSingleObject(mutex_.Get(), timeoutMs)) {
    case WAIT_OBJECT_0:
      state_ = State::Owned;
      break;
    case WAIT_ABANDONED:
      state_ = State::OwnedAfterAbandon;
      break;
    case WAIT_TIMEOUT:
      state_ = State::TimedOut;
      break;
    default:
      error_ = ::GetLastError();
      state_ = State::Failed;
      break;
  }
}

ScopedNamedMutexLock::~ScopedNamedMutexLock() {
  if (Owned()) {
    const DWORD error = ::GetLastError();
    ::ReleaseMutex(mutex_.Get());
    ::SetLastError(error);
  }
}

}  // namespace OS
