#pragma once
#include <string>

namespace vorlan::steps {

// ShellExecuteW on the calling thread, with COM initialised for the call
// (shell handlers may be COM objects). Returns the result as a number:
// above 32 is success. A null verb is the default verb; null parameters and
// directory are none.
int ShellOpen(const wchar_t* verb, const std::wstring& file, const wchar_t* parameters, const wchar_t* directory,
              int show);

}  // namespace vorlan::steps
