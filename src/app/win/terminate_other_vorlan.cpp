#include "app/win/terminate_other_vorlan.h"

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <string>
#include <vector>

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

struct RunningProcess {
  DWORD id = 0;
  std::wstring fileName;  // the executable's file name, without its folder
};

// Every running process, from one question to the system. A snapshot walked
// entry by entry costs Wine a round trip per entry: several milliseconds
// of every start, on a PC with a few dozen processes.
std::vector<RunningProcess> RunningProcesses() {
  constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);
  std::vector<RunningProcess> processes;
  std::vector<ULONG_PTR> buffer(64 * 1024 / sizeof(ULONG_PTR));  // aligned for the records
  NTSTATUS status = kInfoLengthMismatch;
  // Processes may start between the calls: a few tries with a larger buffer.
  for (int attempt = 0; attempt < 8 && status == kInfoLengthMismatch; ++attempt) {
    ULONG needed = 0;
    const ULONG bytes = static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR));
    status = ::NtQuerySystemInformation(SystemProcessInformation, buffer.data(), bytes, &needed);
    if (status == kInfoLengthMismatch) buffer.resize((std::max<size_t>(needed, bytes) * 2) / sizeof(ULONG_PTR) + 1);
  }
  if (status < 0) return processes;
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
  const size_t end = buffer.size() * sizeof(ULONG_PTR);
  for (size_t offset = 0; offset + sizeof(SYSTEM_PROCESS_INFORMATION) <= end;) {
    const auto* info = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(bytes + offset);
    RunningProcess process;
    process.id = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(info->UniqueProcessId));
    if (info->ImageName.Buffer) process.fileName.assign(info->ImageName.Buffer, info->ImageName.Length / sizeof(wchar_t));
    processes.push_back(std::move(process));
    if (info->NextEntryOffset == 0) break;
    offset += info->NextEntryOffset;
  }
  return processes;
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

  for (const RunningProcess& entry : RunningProcesses()) {
    if (entry.id == ownId || entry.fileName.empty()) continue;
    // A cheap test first: the process's file name must occur in our path.
    if (ownPath.find(Lower(entry.fileName)) == std::wstring::npos) continue;

    OS::ScopedHandle process(::OpenProcess(PROCESS_ALL_ACCESS, FALSE, entry.id));
    if (!process) continue;
    wchar_t path[MAX_PATH] = {};
    if (!::GetModuleFileNameExW(process.Get(), nullptr, path, MAX_PATH)) continue;
    if (::lstrcmpiW(path, ownPath.c_str()) != 0) continue;
    // Only copies started before this one: two copies started at the same
    // moment would otherwise end each other, and nothing would be prepared.
    // A later copy ends this one itself (equal times: the lower id goes).
    const ULONGLONG otherStart = CreationTime(process.Get());
    if (otherStart > ownStart || (otherStart == ownStart && entry.id > ownId)) continue;

    CLogMgr::GetInstance().Log(4, L"TerminateOtherVorlan. ProcessPath: %s, ProcessID:%d", path, entry.id);
    ::TerminateProcess(process.Get(), 0);
  }
}
