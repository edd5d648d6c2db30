#pragma once
// The application object: prepares the process, makes sure one preparation
// runs at a time, and runs the main dialog.

#include "platform/win/scoped_resource.h"

class CVorlanApp {
 public:
  // The whole start-up; the dialog's run lies inside. Returns false (the
  // program ends without a message loop of its own).
  bool InitInstance();

 private:
  OS::ScopedHandle instanceMutex_;  // owned until the process ends
};
