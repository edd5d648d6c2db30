#pragma once
// A thread object: derive, implement ThreadProc, call Start. The thread is
// not joined; its handle is kept until the object goes away.

#include <windows.h>

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

}  // namespace OS
