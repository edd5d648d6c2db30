// vorlan-check: checks the option files of game folders without changing
// anything. Usage: vorlan-check <folder>...; vorlan-check --plan <folder>
// prints what a run would do on this PC; vorlan-check --restore-display sets
// the PC's own display mode again from the display record.

#include <windows.h>

#include <string>
#include <vector>

#include "check/core/check_command.h"
#include "check/win/plan.h"
#include "check/win/profile_folder.h"
#include "check/win/restore_display.h"

namespace {

// A console gets the text as it is; a pipe or a file gets UTF-8.
void WriteLine(const std::wstring& line) {
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  const std::wstring text = line + L"\r\n";
  DWORD mode = 0;
  DWORD written = 0;
  if (::GetConsoleMode(out, &mode)) {
    ::WriteConsoleW(out, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  ::WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == L"--version") {
    WriteLine(L"vorlan-check " VORLAN_VERSION);
    return 0;
  }
  if (args.size() == 1 && args[0] == L"--restore-display") return vorlan::check::RestoreDisplayCommand(WriteLine);
  if (args.size() == 2 && args[0] == L"--plan") return vorlan::check::PrintPlan(args[1], WriteLine);
  return vorlan::check::RunCheckCommand(
      args, [](const std::filesystem::path& folder) { return std::make_unique<vorlan::check::ProfileFolder>(folder); },
      WriteLine);
}
