// Step "RegDll": COM servers (DLL, OCX) registered or unregistered by the
// system's registration program in a process of its own, one server per
// entry [RegDll<n>]. A server that hangs is ended after the entry's time
// limit; one that crashes takes only regsvr32 with it.

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "platform/win/file.h"
#include "platform/win/os_info.h"
#include "platform/win/process_start.h"
#include "platform/win/wow64_redirection.h"
#include "step_context/win/step_context.h"
#include "steps/registry/core/com_server_plan.h"
#include "steps/pipeline/win/entry_failure.h"
#include "steps/pipeline/win/entry_path.h"
#include "steps/pipeline/win/numbered_entries.h"
#include "steps/registry/win/registry_steps.h"

namespace vorlan::steps {
namespace {

using Failure = EntryFailure;

std::optional<std::vector<std::uint8_t>> ReadHead(const std::wstring& path) {
  OS::CFile file;
  if (!file.OpenForRead(path)) return std::nullopt;
  const std::optional<std::uint64_t> length = file.Length();
  if (!length) return std::nullopt;
  std::vector<std::uint8_t> head(static_cast<std::size_t>(std::min<std::uint64_t>(*length, 4096)));
  if (!head.empty() && !file.ReadExact(head.data(), head.size())) return std::nullopt;
  return head;
}

std::wstring SystemFolder(RegSvrFolder folder) {
  wchar_t dir[MAX_PATH] = {};
  if (folder == RegSvrFolder::System32Bit) {
    using Fn = UINT(WINAPI*)(LPWSTR, UINT);
    const auto fn = reinterpret_cast<Fn>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetSystemWow64DirectoryW"));
    if (fn && fn(dir, MAX_PATH) != 0) return dir;
  }
  ::GetSystemDirectoryW(dir, MAX_PATH);
  return dir;
}

// Runs regsvr32 and waits up to the limit; nothing when it ended with 0.
std::optional<Failure> RunRegSvr(const RegSvrPlan& plan, int timeOutSeconds) {
  OS::ProcessStart start;
  start.commandLine = L"\"" + SystemFolder(plan.folder) + L"\\regsvr32.exe\" " + plan.arguments;
  start.showWindow = SW_HIDE;
  start.keepProcess = true;
  OS::ProcessResult result;
  {
    std::optional<OS::ScopedRedirectionOff> redirection;
    if (plan.folder == RegSvrFolder::SystemNative) redirection.emplace();
    result = OS::StartProcess(start);
  }
  if (!result.started) return Failure{L"regsvr32 did not start", static_cast<long>(result.error)};
  const DWORD waited = ::WaitForSingleObject(result.process.Get(), static_cast<DWORD>(timeOutSeconds) * 1000);
  if (waited != WAIT_OBJECT_0) {
    ::TerminateProcess(result.process.Get(), ERROR_TIMEOUT);
    ::WaitForSingleObject(result.process.Get(), 5000);
    return Failure{vorlan::fmt::Format(L"no end within %d s, regsvr32 ended", timeOutSeconds), WAIT_TIMEOUT};
  }
  DWORD exitCode = 0;
  ::GetExitCodeProcess(result.process.Get(), &exitCode);
  if (exitCode != 0) return Failure{vorlan::fmt::Format(L"regsvr32 exit code %d", static_cast<int>(exitCode)), static_cast<long>(exitCode)};
  return std::nullopt;
}

std::optional<Failure> RegisterEntry(const std::wstring& file, bool native, bool unregister, int timeOutSeconds) {
  std::optional<std::vector<std::uint8_t>> head;
  {
    std::optional<OS::ScopedRedirectionOff> redirection;
    if (native) redirection.emplace();
    head = ReadHead(file);
  }
  if (!head) return Failure{L"cannot read the file", static_cast<long>(::GetLastError())};
  const RegSvrPlan plan = PlanRegSvr(PeMachineOf(*head), OS::Is64BitOs(), unregister, file);
  if (plan.refusal) return Failure{std::wstring(plan.refusal->begin(), plan.refusal->end()), ERROR_BAD_EXE_FORMAT};
  return RunRegSvr(plan, timeOutSeconds);
}

}  // namespace

void RunRegDll(StepContext& context) {
  CLogMgr& log = CLogMgr::GetInstance();
  const OS::IniFile& options = context.Options();
  ForEachEntry(options, L"RegDll", EntryCount(options, L"RegDll"), [&](int, const std::wstring& section) {
    const bool native = options.ReadInt(section, L"IsCloseRedirection", 0) == 1 && OS::Is64BitOs();
    const bool unregister = options.ReadInt(section, L"IsUnregister", 0) == 1;
    const int timeOut = RegSvrTimeOutSeconds(options.ReadInt(section, L"TimeOut", kRegSvrDefaultTimeOut));
    const std::wstring value = options.ReadString(section, L"File");
    const std::wstring file = value.empty() ? std::wstring() : EntryPath(context, value, native);
    const wchar_t* verb = unregister ? L"Unregister" : L"Register";

    const std::optional<Failure> failure =
        file.empty() ? std::optional<Failure>(Failure{vorlan::fmt::Format(L"[%s] has no File", section), ERROR_INVALID_PARAMETER})
                     : RegisterEntry(file, native, unregister, timeOut);
    if (!failure) {
      log.Log(4, L"RegDllOption: CVorlanDlg::ProcessRegDll. %s %s, Success", verb, file);
      context.PrintInfo(vorlan::fmt::Format(L"%s COM %s, Success", verb, file));
      return;
    }
    log.Log(32, L"RegDllOption: CVorlanDlg::ProcessRegDll. %s %s, Failed: %s, error %d", verb, file, failure->reason,
            static_cast<int>(failure->error));
    context.PrintInfo(vorlan::fmt::Format(L"%s COM %s, Failed: %s", verb, file, failure->reason));
  });
}

}  // namespace vorlan::steps
