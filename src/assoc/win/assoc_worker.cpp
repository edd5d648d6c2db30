#include "assoc/win/assoc_worker.h"

#include <memory>

namespace assoc {
namespace {

DWORD WINAPI WorkerEntry(LPVOID parameter) {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  (*work)();
  return 0;
}

}  // namespace

AssocWorker& AssocWorker::Process() {
  static AssocWorker* const worker = new AssocWorker();
  return *worker;
}

AssocWorker::Start AssocWorker::StartOnce(std::function<void()> work, DWORD& error) {
  error = 0;
  std::lock_guard<std::mutex> hold(lock_);
  if (started_) {
    return ::WaitForSingleObject(thread_.Get(), 0) == WAIT_TIMEOUT ? Start::AlreadyRunning : Start::AlreadyRan;
  }
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  HANDLE thread = ::CreateThread(nullptr, 0, &WorkerEntry, owned.get(), 0, nullptr);
  if (thread == nullptr) {
    error = ::GetLastError();
    return Start::Failed;
  }
  owned.release();  // the thread frees it
  thread_.Reset(thread);
  started_ = true;
  return Start::Started;
}

void AssocWorker::Wait() {
  HANDLE thread = nullptr;
  {
    std::lock_guard<std::mutex> hold(lock_);
    thread = thread_.Get();
  }
  if (thread != nullptr) ::WaitForSingleObject(thread, INFINITE);
}

}  // namespace assoc
