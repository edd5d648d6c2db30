// The demo game: a stand-in for a real game and for the small tools that a
// preparation starts before it. It shows that it was started, and how: it
// appends to "<its own name>.run.txt" beside itself (UTF-8) the time, its
// command line, its arguments one by one and the folder it was started in,
// then exits at once (code 0) without needing anyone at the screen.

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string LocalTimeText() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  char buffer[32];
  wsprintfA(buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond,
            t.wMilliseconds);
  return buffer;
}

// One write per start, so that programs started side by side do not mix
// their lines.
void Append(const std::wstring& path, const std::string& text) {
  HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t self[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::wstring report = self;
  const std::size_t dot = report.find_last_of(L'.');
  if (dot != std::wstring::npos && dot > report.find_last_of(L'\\')) report.erase(dot);
  report += L".run.txt";

  wchar_t folder[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, folder);
  const wchar_t* commandLine = ::GetCommandLineW();

  std::string text = "started " + LocalTimeText() + "\r\n";
  text += "  command line: " + Utf8(commandLine) + "\r\n";
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(commandLine, &argc);
  for (int i = 0; argv && i < argc; ++i) text += "  argument " + std::to_string(i) + ":   " + Utf8(argv[i]) + "\r\n";
  if (argv) ::LocalFree(argv);
  text += "  started in:   " + Utf8(folder) + "\r\n";
  Append(report, text);
  return 0;
}
