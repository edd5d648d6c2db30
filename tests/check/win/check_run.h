#pragma once
// Runs the built vorlan-check.exe and collects what it printed.

#include <windows.h>

#include <string>
#include <vector>

#include "vtest/files.h"
#include "vtest/test_paths.h"

namespace checktest {

struct CheckRun {
  DWORD exitCode = 0xFFFFFFFF;
  std::vector<std::wstring> lines;
};

// Each run writes to a file of its own: the last run's file may still be
// held open for a moment by what Wine started for it.
inline CheckRun RunCheck(const std::wstring& folder, const std::wstring& arguments) {
  static int runs = 0;
  CheckRun run;
  const std::wstring outPath = folder + L".out" + std::to_wstring(++runs) + L".txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = ::CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return run;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi{};
  std::wstring commandLine = L"\"" + vtest::UnixToWine(VORLAN_CHECK_EXE) + L"\" " + arguments;
  if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
    if (::WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
      ::TerminateProcess(pi.hProcess, 0xFFFFFFFF);
      ::WaitForSingleObject(pi.hProcess, 5000);
    }
    ::GetExitCodeProcess(pi.hProcess, &run.exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  }
  ::CloseHandle(out);
  const std::wstring text = vtest::FromUtf8(vtest::ReadBytes(outPath));
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    run.lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  ::DeleteFileW(outPath.c_str());
  return run;
}

}  // namespace checktest
