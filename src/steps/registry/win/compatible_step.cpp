// Step "Compatible": compatibility layers for the game's executables, one
// executable per entry [Compatible<n>]; the values of other executables
// stay as they are.

#include <windows.h>

#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "platform/win/os_info.h"
#include "platform/win/scoped_resource.h"
#include "step_context/win/step_context.h"
#include "steps/registry/core/compat_layers.h"
#include "steps/pipeline/win/entry_path.h"
#include "steps/pipeline/win/numbered_entries.h"
#include "steps/registry/win/registry_steps.h"
#include "steps/registry/win/registry_writer.h"

namespace vorlan::steps {
namespace {

long RemoveValue(HKEY root, REGSAM view, const std::wstring& name) {
  OS::ScopedRegKey key;
  LONG result = ::RegOpenKeyExW(root, kCompatLayersKey, 0, KEY_SET_VALUE | view, key.Receive());
  if (result == ERROR_FILE_NOT_FOUND) return 0;
  if (result != ERROR_SUCCESS) return result;
  result = ::RegDeleteValueW(key.Get(), name.c_str());
  return result == ERROR_FILE_NOT_FOUND ? 0 : result;
}

}  // namespace

void RunCompatible(StepContext& context) {
  CLogMgr& log = CLogMgr::GetInstance();
  const OS::IniFile& options = context.Options();
  const OS::WindowsVersion& version = OS::GetWindowsVersion();
  const bool tilde = WantsCompatTilde(version.major, version.minor);
  ForEachEntry(options, L"Compatible", EntryCount(options, L"Compatible"), [&](int, const std::wstring& section) {
    const bool native = options.ReadInt(section, L"IsCloseRedirection", 0) == 1 && OS::Is64BitOs();
    const bool machine = options.ReadInt(section, L"IsLocalMachine", 0) == 1;
    const std::wstring value = options.ReadString(section, L"Exe");
    const std::wstring data = CompatLayersData(options.ReadString(section, L"Layers"), tilde);
    const std::wstring exe = value.empty() ? std::wstring() : EntryPath(context, value, native);
    const std::wstring what = (machine ? L"HKLM " : L"HKCU ") + exe + L" = " + data;

    long error = ERROR_INVALID_PARAMETER;
    std::wstring reason = vorlan::fmt::Format(L"[%s] has no Exe", section);
    if (!exe.empty()) {
      const HKEY root = machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
      const REGSAM view = native ? KEY_WOW64_64KEY : 0;
      if (data.empty()) {
        error = RemoveValue(root, view, exe);
      } else {
        const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
        error = WriteRegistryValue(root, kCompatLayersKey, view, exe, REG_SZ, data.c_str(), bytes);
      }
      reason = L"cannot write the value";
    }
    if (error == 0) {
      log.Log(4, L"CompatibleOption: CVorlanDlg::ProcessCompatible. Set %s, Success", what);
      context.PrintInfo(vorlan::fmt::Format(L"Compatible %s, Success", what));
      return;
    }
    log.Log(32, L"CompatibleOption: CVorlanDlg::ProcessCompatible. Set %s, Failed: %s, error %d", what, reason,
            static_cast<int>(error));
    context.PrintInfo(vorlan::fmt::Format(L"Compatible %s, Failed: %s", what, reason));
  });
}

}  // namespace vorlan::steps
