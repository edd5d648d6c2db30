#include "steps/programs/win/shell_open.h"

#include <windows.h>

#include "platform/win/com_init.h"
#include "platform/win/system_functions.h"

namespace vorlan::steps {

int ShellOpen(const wchar_t* verb, const std::wstring& file, const wchar_t* parameters, const wchar_t* directory,
              int show) {
  // COM for the length of one call; a thread that already has COM keeps it
  // as it is.
  const OS::ScopedComInit com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  HINSTANCE result = OS::late::ShellExecuteW(nullptr, verb, file.c_str(), parameters, directory, show);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace vorlan::steps
