// Stands in for a game's service (an anti-cheat, say) that the "RegService"
// step registers and starts: it reports "running" to the service manager,
// appends "running <command line>" to "<this exe>.rec" and runs until it is
// told to stop. With "<this exe>.fail" beside it, it stops at once with
// exit code 1066 and service-specific code 42.
#include <windows.h>

namespace {

SERVICE_STATUS_HANDLE g_status = nullptr;
HANDLE g_stop = nullptr;

void Report(DWORD state, DWORD specific = 0) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  status.dwWin32ExitCode = specific ? ERROR_SERVICE_SPECIFIC_ERROR : NO_ERROR;
  status.dwServiceSpecificExitCode = specific;
  ::SetServiceStatus(g_status, &status);
}

DWORD WINAPI Handler(DWORD control, DWORD, LPVOID, LPVOID) {
  if (control == SERVICE_CONTROL_STOP) {
    Report(SERVICE_STOP_PENDING);
    ::SetEvent(g_stop);
  }
  return NO_ERROR;
}

void WriteRecord(const wchar_t* path) {
  HANDLE file = ::CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const wchar_t* commandLine = ::GetCommandLineW();
  char line[2048];
  int n = ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, line + 8, sizeof line - 10, nullptr, nullptr);
  ::CopyMemory(line, "running ", 8);
  n = n > 0 ? n - 1 : 0;
  line[8 + n] = '\n';
  DWORD written = 0;
  ::WriteFile(file, line, static_cast<DWORD>(9 + n), &written, nullptr);
  ::CloseHandle(file);
}

void WINAPI ServiceMain(DWORD, LPWSTR*) {
  g_status = ::RegisterServiceCtrlHandlerExW(L"", &Handler, nullptr);
  if (!g_status) return;
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH - 8);
  const int length = ::lstrlenW(path);
  ::lstrcpyW(path + length, L".fail");
  if (::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) {
    Report(SERVICE_STOPPED, 42);
    return;
  }
  Report(SERVICE_START_PENDING);
  g_stop = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ::lstrcpyW(path + length, L".rec");
  WriteRecord(path);
  Report(SERVICE_RUNNING);
  ::WaitForSingleObject(g_stop, INFINITE);
  Report(SERVICE_STOPPED);
}

}  // namespace

int wmain() {
  wchar_t name[] = L"";
  SERVICE_TABLE_ENTRYW table[] = {{name, &ServiceMain}, {nullptr, nullptr}};
  return ::StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
