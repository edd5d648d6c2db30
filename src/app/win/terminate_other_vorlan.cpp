#include "app/win/terminate_other_vorlan.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <string>

#include "platform/core/log_mgr.h"
#include "platform/win/module_path.h"
#include "platform/win/scoped_resource.h"

namespace {
std::wstring Lower(std::wstring text) {
  if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}
}  // namespace

void TerminateOtherVorlan() {
  const std::wstring ownPath = Lower(OS::GetModulePath());
  const DWORD ownId = ::GetCurrentProcessId();

  OS::ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return;
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID == ownId) continue;
    // A cheap test first: the process's file name must occur in our path.
    if (ownPath.find(Lower(entry.szExeFile)) == std::wstring::npos) continue;

    OS::ScopedHandle process(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, entry.th32ProcessID));
    if (!process) continue;
    wchar_t path[MAX_PATH] = {};
    if (!::GetModuleFileNameExW(process.Get(), nullptr, path, MAX_PATH)) continue;
    if (::lstrcmpiW(path, ownPath.c_str()) != 0) continue;

    CLogMgr::GetInstance().Log(4, L"TerminateOtherVorlan. ProcessPath: %s, ProcessID:%d", path, entry.th32ProcessID);
    ::TerminateProcess(process.Get(), 0);
  }
}
