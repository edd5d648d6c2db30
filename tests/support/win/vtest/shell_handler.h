#pragma once
// Makes a program the shell's handler of a file type for the life of the
// object, so a test can see what the program under test opens through
// ShellExecute. Wine's HKEY_CLASSES_ROOT is HKLM\Software\Classes alone (it
// does not merge HKCU\Software\Classes), so the association is global to the
// prefix: tests that use it need a CTest RESOURCE_LOCK.

#include <optional>
#include <string>

namespace vtest {

class ScopedFileTypeHandler {
 public:
  // `extension` with its dot (".htm"); `handlerExe` is started as
  // "<handlerExe>" "%1".
  ScopedFileTypeHandler(std::wstring extension, std::wstring handlerExe);
  ~ScopedFileTypeHandler();
  ScopedFileTypeHandler(const ScopedFileTypeHandler&) = delete;
  ScopedFileTypeHandler& operator=(const ScopedFileTypeHandler&) = delete;

  // The association took (the extension names our program id).
  bool Registered() const;

 private:
  std::wstring extension_;
  std::wstring progId_;
  bool extensionExisted_ = false;
  std::optional<std::wstring> previousProgId_;
};

}  // namespace vtest
