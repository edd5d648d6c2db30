// Drives the path macros for their Wine tests, in a
// process of its own so that the Windows version Wine reports can be chosen
// per executable name and the log lands beside it:
//   steps_probe translate <0|1> <token>...   TranslatePath of each token
//   steps_probe resolve <0|1> <value>...     the macro-prefixed path rule
// Results go to "<exe>.out", one UTF-8 line each. TranslatePath is handed
// the folder "<untouched>" so that a token that resolves nothing shows.
// Exit code 0; 2 for a bad command line.

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/win/module_path.h"
#include "steps/pipeline/win/translate_path.h"

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

void WriteResults(const std::vector<std::wstring>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += Utf8(line) + "\n";
  const std::wstring path = OS::GetModulePath() + L".out";
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 2;
  const std::wstring command = argv[1];
  std::vector<std::wstring> results;
  if (command == L"translate" || command == L"resolve") {
    const bool use64 = std::wstring(argv[2]) == L"1";
    for (int i = 3; i < argc; ++i) {
      if (command == L"translate") {
        std::wstring folder = L"<untouched>";
        TranslatePath(argv[i], folder, use64);
        results.push_back(folder);
      } else {
        results.push_back(ResolveMacroPrefixedPath(argv[i], use64));
      }
    }
  } else {
    return 2;
  }
  ::LocalFree(argv);
  WriteResults(results);
  return 0;
}
