#include "steps/win/shell_open.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace vorlan::steps {
namespace {

// COM for the length of one call; a thread that already has COM keeps it
// as it is.
class ScopedComForShell {
 public:
  ScopedComForShell()
      : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ScopedComForShell() {
    if (initialised_) ::CoUninitialize();
  }
  ScopedComForShell(const ScopedComForShell&) = delete;
  ScopedComForShell& operator=(const ScopedComForShell&) = delete;

 private:
  bool initialised_;
};

}  // namespace

int ShellOpen(const wchar_t* verb, const std::wstring& file, const wchar_t* parameters, const wchar_t* directory,
              int show) {
  ScopedComForShell com;
  HINSTANCE result = ::ShellExecuteW(nullptr, verb, file.c_str(), parameters, directory, show);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace vorlan::steps
