#pragma once

// System functions that most runs never call, found on their first call.
// A library named among a program's imports is loaded and initialised at
// every start before the first line of the program runs; these four
// (shell32 with its helpers, shlwapi, oleaut32, mpr) cost every start
// milliseconds that most runs get nothing for. Each is loaded from the
// system folder on first use and stays loaded until the process ends.
//
// When a library or function cannot be found, each returns the failure its
// system original reports for an error, with the error code of the load.
#include <windows.h>
#include <oleauto.h>
#include <winnetwk.h>

namespace OS::late {

// shell32
HINSTANCE ShellExecuteW(HWND window, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                        const wchar_t* directory, int show);
HRESULT SHGetFolderPathW(HWND window, int csidl, HANDLE token, DWORD flags, wchar_t* path);

// shlwapi
LSTATUS SHDeleteKeyW(HKEY key, const wchar_t* subKey);

// oleaut32
BSTR SysAllocStringLen(const wchar_t* text, UINT length);
UINT SysStringLen(BSTR text);
HRESULT VariantChangeType(VARIANT* destination, VARIANT* source, USHORT flags, VARTYPE type);
HRESULT VariantClear(VARIANT* variant);

// mpr
DWORD WNetAddConnection2W(NETRESOURCEW* resource, const wchar_t* password, const wchar_t* user, DWORD flags);
DWORD WNetCancelConnection2W(const wchar_t* name, DWORD flags, BOOL force);
DWORD WNetGetConnectionW(const wchar_t* local, wchar_t* remote, DWORD* length);

}  // namespace OS::late
