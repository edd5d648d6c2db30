#pragma once
// A thread object: derive, implement ThreadProc, call Start. The thread is
// not joined; its handle is kept until the object goes away.

#include <windows.h>

#include "platform/core/worker_start.h"
#include "platform/win/scoped_resource.h"

namespace OS {

class Thread {
 public:
  virtual ~Thread() = default;

  bool Start();
  HANDLE Handle() const { return handle_.Get(); }

 protected:
  virtual void ThreadProc() = 0;

 private:
  static DWORD WINAPI Entry(LPVOID self);
  ScopedHandle handle_;
};

// Starts work on threads of the system; the threads are not joined and their
// handles not kept. After a failed start the thread's last error tells why.
class SystemWorkerStarter : public vorlan::WorkerStarter {
 public:
  bool Start(const std::function<void()>& work) override;
  static SystemWorkerStarter& Instance();

 private:
  static DWORD WINAPI Entry(LPVOID work);
};

}  // namespace OS
