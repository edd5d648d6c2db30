// Steps "keys" and "GamePath": one registry value per entry, written whole
// or not at all, in the view the entry asks for.

#include <windows.h>

#include <functional>

#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "platform/win/os_info.h"
#include "step_context/win/step_context.h"
#include "steps/registry/core/reg_value_entry.h"
#include "steps/pipeline/win/numbered_entries.h"
#include "steps/registry/win/registry_steps.h"
#include "steps/registry/win/registry_writer.h"

namespace vorlan::steps {
namespace {

constexpr unsigned kLongest = 16384;

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

struct ValueStep {
  const wchar_t* base;     // section base name
  std::wstring logPrefix;  // "<Area>Option: CVorlanDlg::<Method>. "
  std::wstring verb;       // of the result line
  bool showData;           // the data is shown in the lines (never for keys)
  // The entry's data as text, from its section.
  std::function<std::wstring(StepContext&, const std::wstring& section)> data;
};

void RunValueStep(StepContext& context, const ValueStep& step) {
  CLogMgr& log = CLogMgr::GetInstance();
  const OS::IniFile& options = context.Options();
  ForEachEntry(options, step.base, EntryCount(options, step.base), [&](int, const std::wstring& section) {
    const bool native = options.ReadInt(section, L"IsCloseRedirection", 0) == 1 && OS::Is64BitOs();
    // Read one character past the longest the registry takes, so that a
    // longer text is refused rather than cut.
    const std::wstring key = options.ReadString(section, L"Key", kLongest);
    const std::wstring name = options.ReadString(section, L"Name", kLongest);
    const std::wstring data = step.data(context, section);
    std::wstring what = key + L"\\" + name;
    if (step.showData) what += L" = " + data;

    const RegValueEntryResult made = MakeRegValueEntry(key, name, options.ReadString(section, L"Type"), data);
    std::wstring reason;
    long error = 0;
    if (!made.entry) {
      reason = Widen(made.error);
      error = ERROR_INVALID_PARAMETER;
    } else {
      const RegValueEntry& e = *made.entry;
      error = WriteRegistryValue(RootKeyHandle(e.root), e.keyPath, native ? KEY_WOW64_64KEY : 0, e.name, e.type,
                                 e.data.data(), static_cast<DWORD>(e.data.size()));
      if (error != 0) reason = L"cannot write the value";
    }
    if (error == 0) {
      log.Log(4, L"%s%s %s, Success", step.logPrefix, step.verb, what);
      context.PrintInfo(vorlan::fmt::Format(L"%s %s, Success", step.verb, what));
      return;
    }
    log.Log(32, L"%s%s %s, Failed: %s, error %d", step.logPrefix, step.verb, what, reason, static_cast<int>(error));
    context.PrintInfo(vorlan::fmt::Format(L"%s %s, Failed: %s", step.verb, what, reason));
  });
}

}  // namespace

void RunKeys(StepContext& context) {
  RunValueStep(context, {L"keys", L"KeysOption: CVorlanDlg::ProcessKeys. ", L"Write Key", false,
                         [](StepContext& c, const std::wstring& section) {
                           return c.Options().ReadString(section, L"Data", kLongest);
                         }});
}

void RunGamePath(StepContext& context) {
  RunValueStep(context, {L"GamePath", L"GamePathOption: CVorlanDlg::ProcessGamePath. ", L"Set Game Path", true,
                         [](StepContext& c, const std::wstring& section) {
                           const OS::IniFile& options = c.Options();
                           return GamePathValue(c.ProgramDirectory(), options.ReadString(section, L"SubPath"),
                                                options.ReadInt(section, L"TrailingBackslash", 0) != 0);
                         }});
}

}  // namespace vorlan::steps
