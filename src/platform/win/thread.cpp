#include "platform/win/thread.h"

namespace OS {

bool Thread::Start() {
  handle_.Reset(::CreateThread(nullptr, 0, &Thread::Entry, this, 0, nullptr));
  return handle_.IsValid();
}

DWORD WINAPI Thread::Entry(LPVOID self) {
  static_cast<Thread*>(self)->ThreadProc();
  return 0;
}

}  // namespace OS
