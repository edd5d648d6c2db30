// Stand-in for the café's game component library "ComponentMgr.dll". It
// appends what it was given to ComponentMgr.rec beside itself (UTF-8) and
// behaves as ComponentMgr.cfg beside itself says, section [component]:
//   Result=<n>        what RunGameComponent returns (default 0)
//   Fault=call        write through a null pointer inside the call
//   Fault=thread      the same on a thread of its own, waited for
// A record:
//   @call
//   window=<handle, decimal>  isWindow=0|1  gameId=<n>  programDirectory=<text>

#include <windows.h>

#include <cstdint>
#include <string>

#include "components/win/game_component_contract.h"

namespace {

HMODULE self = nullptr;

std::wstring Beside(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(self, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return std::string();
  int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

void Append(const std::string& text) {
  HANDLE file = ::CreateFileW(Beside(L"ComponentMgr.rec").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

void Fault() {
  volatile int* nowhere = nullptr;
  *nowhere = 1;
}

DWORD WINAPI FaultingThread(LPVOID) {
  Fault();
  return 0;
}

}  // namespace

extern "C" __declspec(dllexport) BOOL __stdcall RunGameComponent(HWND dialog, DWORD gameId, LPCWSTR programDirectory) {
  Append("@call\nwindow=" + std::to_string(reinterpret_cast<std::uintptr_t>(dialog)) + "\nisWindow=" + (::IsWindow(dialog) ? "1" : "0") +
         "\ngameId=" + std::to_string(gameId) + "\nprogramDirectory=" + Utf8(programDirectory ? programDirectory : L"") +
         "\n");
  const std::wstring cfg = Beside(L"ComponentMgr.cfg");
  wchar_t fault[32] = {};
  ::GetPrivateProfileStringW(L"component", L"Fault", L"", fault, 32, cfg.c_str());
  if (std::wstring(fault) == L"call") Fault();
  if (std::wstring(fault) == L"thread") {
    HANDLE thread = ::CreateThread(nullptr, 0, &FaultingThread, nullptr, 0, nullptr);
    if (thread) {
      ::WaitForSingleObject(thread, INFINITE);
      ::CloseHandle(thread);
    }
  }
  return static_cast<BOOL>(::GetPrivateProfileIntW(L"component", L"Result", 0, cfg.c_str()));
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) self = instance;
  return TRUE;
}

// The launcher's own type for the export, so that a change of the contract
// breaks this build.
[[maybe_unused]] constexpr components::RunGameComponentFn kContract = &RunGameComponent;
