// Step "ImportReg": registry files into the registry, one file per entry
// [ImportReg<n>], each reported on its own.

#include <windows.h>

#include <optional>

#include "pkg_reg/win/apply_pkg_reg_file.h"
#include "platform/core/log_mgr.h"
#include "platform/core/wformat.h"
#include "platform/win/code_page.h"
#include "platform/win/file.h"
#include "platform/win/os_info.h"
#include "platform/win/wow64_redirection.h"
#include "step_context/win/step_context.h"
#include "steps/registry/core/reg_file.h"
#include "steps/registry/core/reg_import.h"
#include "steps/pipeline/win/entry_failure.h"
#include "steps/pipeline/win/entry_path.h"
#include "steps/pipeline/win/numbered_entries.h"
#include "steps/registry/win/registry_steps.h"
#include "steps/registry/win/registry_writer.h"

namespace vorlan::steps {
namespace {


// Why an entry failed, with the system error code (ERROR_INVALID_DATA for
// a file that is refused as written).
using Failure = EntryFailure;

std::optional<std::wstring> DecodeAnsi(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int chars = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                          nullptr, 0);
  if (chars <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(chars), L'\0');
  ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), text.data(), chars);
  return text;
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::optional<Failure> ImportRegEditorFile(const std::wstring& path, const std::wstring& installDir, REGSAM view) {
  std::optional<std::vector<std::uint8_t>> bytes;
  {
    // The file itself may lie in a redirected folder (System32).
    std::optional<OS::ScopedRedirectionOff> redirection;
    if (view != 0) redirection.emplace();
    bytes = OS::CFile::ReadAll(path);
  }
  if (!bytes) return Failure{L"cannot read the file", static_cast<long>(::GetLastError())};
  const RegFileResult parsed = ParseRegFile(*bytes, &DecodeAnsi, installDir);
  if (parsed.error)
    return Failure{vorlan::fmt::Format(L"line %d: %s", static_cast<int>(parsed.error->line), Widen(parsed.error->reason)),
                   ERROR_INVALID_DATA};
  CRegistryWriter writer(view);
  const RegApplyReport report = ApplyRegOps(parsed.ops, writer);
  if (report.Succeeded()) return std::nullopt;
  return Failure{vorlan::fmt::Format(L"%d of %d operations failed, the first at line %d", static_cast<int>(report.failed),
                                     static_cast<int>(report.total), static_cast<int>(report.firstFailedLine)),
                 report.firstError};
}

std::optional<Failure> ImportEntry(StepContext& context, const std::wstring& file, bool native) {
  const REGSAM view = native ? KEY_WOW64_64KEY : 0;
  if (ImportKindOf(file) == RegImportKind::PackageRegistryFile) {
    // The engine logs what it did and why it refused a file.
    if (ApplyPkgRegFile(file, context.ProgramDirectory(), view)) return std::nullopt;
    return Failure{L"package registry file not applied (see the PkgRegOption line)", ERROR_INVALID_DATA};
  }
  return ImportRegEditorFile(file, context.ProgramDirectory(), view);
}

}  // namespace

void RunImportReg(StepContext& context) {
  CLogMgr& log = CLogMgr::GetInstance();
  const OS::IniFile& options = context.Options();
  ForEachEntry(options, L"ImportReg", EntryCount(options, L"ImportReg"), [&](int, const std::wstring& section) {
    const bool native = options.ReadInt(section, L"IsCloseRedirection", 0) == 1 && OS::Is64BitOs();
    const std::wstring value = options.ReadString(section, L"File");
    std::optional<Failure> failure;
    std::wstring file;
    if (value.empty()) {
      failure = Failure{vorlan::fmt::Format(L"[%s] has no File", section), ERROR_INVALID_PARAMETER};
    } else {
      file = EntryPath(context, value, native);
      failure = ImportEntry(context, file, native);
    }
    if (!failure) {
      log.Log(4, L"ImportRegOption: CVorlanDlg::ProcessImportReg. Import %s, Success", file);
      context.PrintInfo(vorlan::fmt::Format(L"Import Reg %s, Success", file));
      return;
    }
    log.Log(32, L"ImportRegOption: CVorlanDlg::ProcessImportReg. Import %s, Failed: %s, error %d", file, failure->reason, static_cast<int>(failure->error));
    context.PrintInfo(vorlan::fmt::Format(L"Import Reg %s, Failed: %s", file, failure->reason));
  });
}

}  // namespace vorlan::steps
