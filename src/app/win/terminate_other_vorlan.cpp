#include "app/win/terminate_other_vorlan.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <string>

#include "platform/core/log_mgr.h"
#include "platform/win/module_path.h"
#include "platform/win/scoped_resource.h"

namespace {
// When the process was started (0 when that cannot be learnt).
ULONGLONG CreationTime(HANDLE process) {
  FILETIME created = {}, exited = {}, kernel = {}, user = {};
  if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::wstring Lower(std::wstring text) {
  if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}
}  // namespace

void TerminateOtherVorlan() {
  const std::wstring ownPath = Lower(OS::GetModulePath());
  const DWORD ownId = ::GetCurrentProcessId();
  const ULONGLONG ownStart = CreationTime(::GetCurrentProcess());

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
    // Only copies started before this one: two copies started at the same
    // moment would otherwise end each other, and nothing would be prepared.
    // A later copy ends this one itself (equal times: the lower id goes).
    const ULONGLONG otherStart = CreationTime(process.Get());
    if (otherStart > ownStart || (otherStart == ownStart && entry.th32ProcessID > ownId)) continue;

    CLogMgr::GetInstance().Log(4, L"TerminateOtherVorlan. ProcessPath: %s, ProcessID:%d", path, entry.th32ProcessID);
    ::TerminateProcess(process.Get(), 0);
  }
}
