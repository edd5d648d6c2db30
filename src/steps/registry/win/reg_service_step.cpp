// Step "RegService": a service or kernel driver created or brought up to
// date through the service manager and started, one per entry
// [RegService<n>]. An existing service of the name is updated, never
// duplicated; the wait for it to run is bounded.

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "platform/win/os_info.h"
#include "platform/win/scoped_resource.h"
#include "platform/win/wow64_redirection.h"
#include "step_context/win/step_context.h"
#include "steps/registry/core/service_plan.h"
#include "steps/pipeline/win/entry_failure.h"
#include "steps/pipeline/win/entry_path.h"
#include "steps/pipeline/win/numbered_entries.h"
#include "steps/registry/win/registry_steps.h"

namespace vorlan::steps {
namespace {

constexpr int kDefaultWaitSeconds = 10;
constexpr int kLongestWaitSeconds = 120;

using Failure = EntryFailure;

const wchar_t* StateName(DWORD state) {
  switch (state) {
    case SERVICE_STOPPED: return L"stopped";
    case SERVICE_START_PENDING: return L"starting";
    case SERVICE_STOP_PENDING: return L"stopping";
    case SERVICE_RUNNING: return L"running";
    case SERVICE_CONTINUE_PENDING: return L"continuing";
    case SERVICE_PAUSE_PENDING: return L"pausing";
    case SERVICE_PAUSED: return L"paused";
  }
  return L"unknown";
}

struct StoredConfig {
  std::wstring path;
  DWORD start = 0;
  DWORD type = 0;
  std::wstring displayName;
};

std::optional<StoredConfig> QueryConfig(SC_HANDLE service) {
  DWORD needed = 0;
  ::QueryServiceConfigW(service, nullptr, 0, &needed);
  if (needed == 0) return std::nullopt;
  std::vector<BYTE> buffer(needed);
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
  if (!::QueryServiceConfigW(service, config, needed, &needed)) return std::nullopt;
  return StoredConfig{config->lpBinaryPathName ? config->lpBinaryPathName : L"", config->dwStartType,
                      config->dwServiceType, config->lpDisplayName ? config->lpDisplayName : L""};
}

class ServiceEntry {
 public:
  ServiceEntry(const std::wstring& name, CLogMgr& log) : name_(name), log_(log) {}

  std::optional<Failure> Install(const ServicePlan& plan) {
    manager_.Reset(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE));
    if (!manager_) return Failure{L"cannot open the service manager", static_cast<long>(::GetLastError())};
    constexpr DWORD kAccess = SERVICE_QUERY_CONFIG | SERVICE_CHANGE_CONFIG | SERVICE_START | SERVICE_QUERY_STATUS;
    service_.Reset(::OpenServiceW(manager_.Get(), name_.c_str(), kAccess));
    const DWORD openError = service_ ? 0 : ::GetLastError();
    if (!service_ && openError != ERROR_SERVICE_DOES_NOT_EXIST)
      return Failure{L"cannot open the service", static_cast<long>(openError)};
    std::optional<StoredConfig> stored;
    if (service_) {
      stored = QueryConfig(service_.Get());
      if (!stored) return Failure{L"cannot read the service's configuration", static_cast<long>(::GetLastError())};
    }
    std::optional<StoredService> held;
    if (stored) held = StoredService{stored->path, stored->start, stored->type, stored->displayName};
    const ServiceChange change = DecideServiceChange(held ? &*held : nullptr, plan);
    switch (change) {
      case ServiceChange::Create:
        service_.Reset(::CreateServiceW(manager_.Get(), name_.c_str(), plan.displayName.c_str(), kAccess, plan.serviceType,
                                        plan.startType, SERVICE_ERROR_NORMAL, plan.binaryPath.c_str(), nullptr, nullptr,
                                        nullptr, nullptr, nullptr));
        if (!service_) return Failure{L"cannot create the service", static_cast<long>(::GetLastError())};
        Note(L"created");
        break;
      case ServiceChange::Update:
        if (!::ChangeServiceConfigW(service_.Get(), plan.serviceType, plan.startType, SERVICE_NO_CHANGE,
                                    plan.binaryPath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                    plan.displayName.c_str()))
          return Failure{L"cannot update the service", static_cast<long>(::GetLastError())};
        Note(vorlan::fmt::Format(L"updated (was %s, start %d)", stored->path, static_cast<int>(stored->start)));
        break;
      case ServiceChange::Keep:
        Note(L"unchanged");
        break;
    }
    return std::nullopt;
  }

  // Starts the service and waits until it runs, stops or the time is up,
  // logging each state it passes through.
  std::optional<Failure> Start(int waitSeconds) {
    if (!::StartServiceW(service_.Get(), 0, nullptr)) {
      const DWORD error = ::GetLastError();
      if (error != ERROR_SERVICE_ALREADY_RUNNING) return Failure{L"cannot start the service", static_cast<long>(error)};
    }
    DWORD last = 0;
    const DWORD deadline = ::GetTickCount() + static_cast<DWORD>(waitSeconds) * 1000;
    for (;;) {
      SERVICE_STATUS status{};
      if (!::QueryServiceStatus(service_.Get(), &status))
        return Failure{L"cannot read the service's state", static_cast<long>(::GetLastError())};
      if (status.dwCurrentState != last) {
        last = status.dwCurrentState;
        Note(vorlan::fmt::Format(L"state %s", StateName(last)));
      }
      if (last == SERVICE_RUNNING) return std::nullopt;
      if (last == SERVICE_STOPPED) {
        const DWORD code = status.dwWin32ExitCode == ERROR_SERVICE_SPECIFIC_ERROR ? status.dwServiceSpecificExitCode
                                                                                   : status.dwWin32ExitCode;
        return Failure{L"the service stopped", static_cast<long>(code)};
      }
      if (static_cast<LONG>(::GetTickCount() - deadline) >= 0)
        return Failure{vorlan::fmt::Format(L"not running within %d s", waitSeconds), WAIT_TIMEOUT};
      ::Sleep(100);
    }
  }

 private:
  void Note(const std::wstring& what) {
    log_.Log(4, L"RegServiceOption: CVorlanDlg::ProcessRegService. %s %s", name_, what);
  }

  std::wstring name_;
  CLogMgr& log_;
  OS::ScopedServiceHandle manager_;
  OS::ScopedServiceHandle service_;
};

bool FileExists(const std::wstring& path, bool native) {
  std::optional<OS::ScopedRedirectionOff> redirection;
  if (native) redirection.emplace();
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

void RunRegService(StepContext& context) {
  CLogMgr& log = CLogMgr::GetInstance();
  const OS::IniFile& options = context.Options();
  ForEachEntry(options, L"RegService", EntryCount(options, L"RegService"), [&](int, const std::wstring& section) {
    const bool native = options.ReadInt(section, L"IsCloseRedirection", 0) == 1 && OS::Is64BitOs();
    const std::wstring name = options.ReadString(section, L"Name");
    const std::wstring value = options.ReadString(section, L"File");
    const std::wstring file = value.empty() ? std::wstring() : EntryPath(context, value, native);
    int waitSeconds = options.ReadInt(section, L"WaitTime", kDefaultWaitSeconds);
    if (waitSeconds <= 0 || waitSeconds > kLongestWaitSeconds) waitSeconds = kDefaultWaitSeconds;
    const bool start = options.ReadInt(section, L"IsStart", 1) != 0;

    std::optional<Failure> failure;
    const ServicePlan plan = PlanService(name, file, options.ReadString(section, L"Type"), options.ReadString(section, L"Start"),
                                         options.ReadString(section, L"DisplayName"));
    if (file.empty()) {
      failure = Failure{vorlan::fmt::Format(L"[%s] has no File", section), ERROR_INVALID_PARAMETER};
    } else if (plan.refusal) {
      failure = Failure{std::wstring(plan.refusal->begin(), plan.refusal->end()), ERROR_INVALID_PARAMETER};
    } else if (!FileExists(file, native)) {
      failure = Failure{L"the file does not exist", ERROR_FILE_NOT_FOUND};
    } else {
      ServiceEntry entry(name, log);
      failure = entry.Install(plan);
      if (!failure && start) failure = entry.Start(waitSeconds);
    }
    const std::wstring what = name + L" (" + file + L")";
    if (!failure) {
      log.Log(4, L"RegServiceOption: CVorlanDlg::ProcessRegService. Register Service %s, Success", what);
      context.PrintInfo(vorlan::fmt::Format(L"Register Service %s, Success", what));
      return;
    }
    log.Log(32, L"RegServiceOption: CVorlanDlg::ProcessRegService. Register Service %s, Failed: %s, error %d", what,
            failure->reason, static_cast<int>(failure->error));
    context.PrintInfo(vorlan::fmt::Format(L"Register Service %s, Failed: %s", what, failure->reason));
  });
}

}  // namespace vorlan::steps
