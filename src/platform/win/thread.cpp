#include "platform/win/thread.h"

#include <memory>

namespace OS {

bool Thread::Start() {
  handle_.Reset(::CreateThread(nullptr, 0, &Thread::Entry, this, 0, nullptr));
  return handle_.IsValid();
}

DWORD WINAPI Thread::Entry(LPVOID self) {
  static_cast<Thread*>(self)->ThreadProc();
  return 0;
}

bool SystemWorkerStarter::Start(const std::function<void()>& work) {
  auto owned = std::make_unique<std::function<void()>>(work);
  ScopedHandle thread(::CreateThread(nullptr, 0, &SystemWorkerStarter::Entry, owned.get(), 0, nullptr));
  if (!thread) return false;
  owned.release();  // the thread owns it from now on
  return true;
}

SystemWorkerStarter& SystemWorkerStarter::Instance() {
  static SystemWorkerStarter starter;
  return starter;
}

DWORD WINAPI SystemWorkerStarter::Entry(LPVOID work) {
  const std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(work));
  (*owned)();
  return 0;
}

}  // namespace OS
