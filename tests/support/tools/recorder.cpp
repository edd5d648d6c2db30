// Stand-in for the cafe's outside programs (game, pre-load program,
// installer, menu). When run, it appends a record of what it was given to a
// file and behaves as configured, then exits.
//
// Record file: <own path>.rec (UTF-8), or the "Output" value of the
// configuration. Configuration: <own path>.cfg, an INI file, section [recorder]:
//   ExitCode=<n>          exit code (default 0)
//   SleepMs=<n>           stay alive this long before exiting (default 0)
//   CreateRegKey=<key>    create this key: HKLM\..., HKCU\... or HKCR\...
//   RegView=64|32         registry view for CreateRegKey (default: the process's own)
//   CreateFile=<path>     create this (empty) file
//   ProbeRegKey=<key>     write down whether this key exists when the run
//                         starts (HKLM\..., HKCU\... or HKCR\...; view RegView)
//   Output=<path>         write the records here instead
// A record:
//   @run
//   pid=..  exe=..  cmdline=..  cwd=..  show=..  argc=..  arg0=..  [probe=0|1]  start=<local time>
//   (show: the show state its starter asked for, or "default" when none)
//   @end pid=.. time=<local time>   (after the sleep, just before exiting)

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return std::string();
  int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::string Now() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  char buf[64];
  wsprintfA(buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
            t.wMilliseconds);
  return buf;
}

std::wstring ReadConfig(const std::wstring& cfg, const wchar_t* key) {
  wchar_t value[1024] = {};
  ::GetPrivateProfileStringW(L"recorder", key, L"", value, 1024, cfg.c_str());
  return value;
}

void AppendLocked(const std::wstring& path, const std::string& text) {
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, L"VorlanTestRecorderFileLock");
  if (mutex) ::WaitForSingleObject(mutex, 10000);
  HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
  }
  if (mutex) {
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
  }
}

HKEY SplitRoot(const std::wstring& keyPath, std::wstring& rest) {
  HKEY root = nullptr;
  if (keyPath.rfind(L"HKLM\\", 0) == 0) root = HKEY_LOCAL_MACHINE, rest = keyPath.substr(5);
  else if (keyPath.rfind(L"HKCU\\", 0) == 0) root = HKEY_CURRENT_USER, rest = keyPath.substr(5);
  else if (keyPath.rfind(L"HKCR\\", 0) == 0) root = HKEY_CLASSES_ROOT, rest = keyPath.substr(5);
  return root;
}

REGSAM ViewAccess(REGSAM access, const std::wstring& view) {
  if (view == L"64") access |= KEY_WOW64_64KEY;
  if (view == L"32") access |= KEY_WOW64_32KEY;
  return access;
}

bool RegistryKeyExists(const std::wstring& keyPath, const std::wstring& view) {
  std::wstring rest;
  HKEY root = SplitRoot(keyPath, rest);
  if (!root) return false;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, rest.c_str(), 0, ViewAccess(KEY_READ, view), &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

void CreateRegistryKey(const std::wstring& keyPath, const std::wstring& view) {
  std::wstring rest;
  HKEY root = SplitRoot(keyPath, rest);
  if (!root) return;
  const REGSAM sam = ViewAccess(KEY_ALL_ACCESS, view);
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, rest.c_str(), 0, nullptr, 0, sam, nullptr, &key, nullptr) == ERROR_SUCCESS)
    ::RegCloseKey(key);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring exe = self;
  const std::wstring cfg = exe + L".cfg";
  std::wstring output = ReadConfig(cfg, L"Output");
  if (output.empty()) output = exe + L".rec";

  wchar_t cwd[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, cwd);
  const wchar_t* cmdline = ::GetCommandLineW();

  std::string record = "@run\n";
  record += "pid=" + std::to_string(::GetCurrentProcessId()) + "\n";
  record += "exe=" + Utf8(exe) + "\n";
  record += "cmdline=" + Utf8(cmdline) + "\n";
  record += "cwd=" + Utf8(cwd) + "\n";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  ::GetStartupInfoW(&startup);
  record += "show=" + ((startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_string(startup.wShowWindow) : "default") + "\n";
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(cmdline, &argc);
  record += "argc=" + std::to_string(argc) + "\n";
  for (int i = 0; argv && i < argc; ++i) record += "arg" + std::to_string(i) + "=" + Utf8(argv[i]) + "\n";
  if (argv) ::LocalFree(argv);
  const std::wstring probeKey = ReadConfig(cfg, L"ProbeRegKey");
  if (!probeKey.empty())
    record += std::string("probe=") + (RegistryKeyExists(probeKey, ReadConfig(cfg, L"RegView")) ? "1" : "0") + "\n";
  record += "start=" + Now() + "\n";
  AppendLocked(output, record);

  std::wstring regKey = ReadConfig(cfg, L"CreateRegKey");
  if (!regKey.empty()) CreateRegistryKey(regKey, ReadConfig(cfg, L"RegView"));
  std::wstring file = ReadConfig(cfg, L"CreateFile");
  if (!file.empty()) {
    HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  }

  UINT sleepMs = ::GetPrivateProfileIntW(L"recorder", L"SleepMs", 0, cfg.c_str());
  if (sleepMs) ::Sleep(sleepMs);
  UINT exitCode = ::GetPrivateProfileIntW(L"recorder", L"ExitCode", 0, cfg.c_str());
  AppendLocked(output, "@end pid=" + std::to_string(::GetCurrentProcessId()) + " time=" + Now() + "\n");
  return static_cast<int>(exitCode);
}
