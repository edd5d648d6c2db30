// Stands in for a COM server (DLL, OCX) to register: DllRegisterServer and
// DllUnregisterServer append "register" or "unregister" to "<this dll>.rec".
// Beside it, "<this dll>.hang" makes them never return, "<this dll>.fail"
// return E_FAIL, "<this dll>.crash" crash.
#include <windows.h>

namespace {

HMODULE g_module = nullptr;

HRESULT Record(const char* what) {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(g_module, path, MAX_PATH - 8);
  const std::size_t length = ::lstrlenW(path);
  auto exists = [&](const wchar_t* ext) {
    ::lstrcpyW(path + length, ext);
    return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
  };
  if (exists(L".hang")) ::Sleep(INFINITE);
  if (exists(L".crash")) *static_cast<volatile int*>(nullptr) = 1;
  if (exists(L".fail")) return E_FAIL;
  ::lstrcpyW(path + length, L".rec");
  HANDLE file = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return E_FAIL;
  DWORD written = 0;
  ::WriteFile(file, what, static_cast<DWORD>(::lstrlenA(what)), &written, nullptr);
  ::WriteFile(file, "\n", 1, &written, nullptr);
  ::CloseHandle(file);
  return S_OK;
}

}  // namespace

extern "C" __declspec(dllexport) HRESULT __stdcall DllRegisterServer() { return Record("register"); }
extern "C" __declspec(dllexport) HRESULT __stdcall DllUnregisterServer() { return Record("unregister"); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}
