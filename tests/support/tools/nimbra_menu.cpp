// Plays the game menu's part of the shared memory "NimbraSharedMem" by hand:
//   nimbra_menu [--runnow <game id>]... [--show <game id>]... [--out <file>] -- <command line>
// Creates the block (as the menu does), sets the run-now flags asked for,
// runs the command line (the launcher) and waits for it, then prints the
// entries of the --show ids: "<id> runNow=<0|1> runNowButton=<0|1>" (to
// standard output, or to the --out file).
// Exit code: the command's, or 2 on bad usage, 3 when the block cannot be made.

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/win/share_memory_mgr.h"

int wmain() {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv) return 2;
  std::vector<std::uint32_t> runNow, show;
  std::wstring command, out;
  for (int i = 1; i < argc; ++i) {
    std::wstring arg = argv[i];
    if (arg == L"--runnow" && i + 1 < argc) runNow.push_back(static_cast<std::uint32_t>(_wtoi(argv[++i])));
    else if (arg == L"--show" && i + 1 < argc) show.push_back(static_cast<std::uint32_t>(_wtoi(argv[++i])));
    else if (arg == L"--out" && i + 1 < argc) out = argv[++i];
    else if (arg == L"--") {
      const wchar_t* rest = wcsstr(::GetCommandLineW(), L" -- ");
      if (rest) command = rest + 4;
      break;
    } else {
      ::LocalFree(argv);
      return 2;
    }
  }
  ::LocalFree(argv);

  CShareMemoryMgr menu;
  if (!menu.Create()) return 3;
  for (std::uint32_t id : runNow) menu.SetRunNow(id, true);

  DWORD exitCode = 0;
  if (!command.empty()) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 4;
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::GetExitCodeProcess(pi.hProcess, &exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
  std::string report;
  for (std::uint32_t id : show) {
    std::uint32_t flag = 0, button = 0;
    char line[96];
    if (menu.ReadEntry(id, flag, button)) std::snprintf(line, sizeof(line), "%u runNow=%u runNowButton=%u\n", id, flag, button);
    else std::snprintf(line, sizeof(line), "%u absent\n", id);
    report += line;
  }
  if (out.empty()) {
    std::fputs(report.c_str(), stdout);
    std::fflush(stdout);
  } else if (FILE* f = _wfopen(out.c_str(), L"wb")) {
    std::fputs(report.c_str(), f);
    std::fclose(f);
  }
  return static_cast<int>(exitCode);
}
