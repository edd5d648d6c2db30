#include "steps/files/win/copy_step.h"

#include <windows.h>

#include <optional>

#include "step_context/win/step_context.h"
#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/core/wformat.h"
#include "platform/win/file_copy.h"
#include "platform/win/os_info.h"
#include "platform/win/wow64_redirection.h"
#include "steps/pipeline/win/numbered_entries.h"
#include "steps/pipeline/win/translate_path.h"

namespace {

// One entry with redirection switched off around it when it asks for that.
// Returns nothing when the entry ends early (no copy, nothing reported).
// Files the destination already holds are left alone and counted as such.
std::optional<bool> CopyEntry(StepContext& context, const std::wstring& section, std::wstring& src,
                              std::wstring& dst, bool nativeFolders, vorlan::CopyCounts& counts) {
  const OS::IniFile& options = context.Options();
  const int isFile = options.ReadInt(section, L"IsFile", 0);
  src = options.ReadString(section, L"Src");
  dst = options.ReadString(section, L"Dst");
  if (src.empty() || dst.empty()) return std::nullopt;
  dst = ResolveMacroPrefixedPath(dst, nativeFolders);
  if (dst.empty()) return std::nullopt;
  src = vorlan::PathJoin(context.ProgramDirectory(), src);
  if (isFile != 0) return OS::CopySingleFile(src, dst, /*failIfExists=*/true, &counts);
  return OS::CopyFolderTree(dst, src, &counts);
}

}  // namespace

void RunCopyStep(StepContext& context) {
  CLogMgr& log = CLogMgr::GetInstance();
  const OS::IniFile& options = context.Options();
  vorlan::steps::ForEachEntry(options, L"Copy", vorlan::steps::EntryCount(options, L"Copy"), [&](int i, const std::wstring& section) {

    const bool switchOff = options.ReadInt(section, L"IsCloseRedirection", 0) == 1 && OS::Is64BitOs();
    std::optional<OS::ScopedRedirectionOff> redirection;
    if (switchOff) {
      redirection.emplace();
      log.Log(4, L"CopyFileOption: CVorlanDlg::CopyFile_%d. DisableRedirection: %d", i, redirection->DisableResult());
    }

    std::wstring src, dst;
    vorlan::CopyCounts counts;
    const std::optional<bool> copied = CopyEntry(context, section, src, dst, switchOff, counts);

    if (redirection) {
      const BOOL reverted = redirection->Revert();
      log.Log(4, L"CopyFileOption: CVorlanDlg::CopyFile_%d. RevertRedirection: %d", i, reverted);
    }
    if (!copied) return;

    log.Log(4, L"CopyFileOption: CVorlanDlg::ProcessCopyFile. %s --> %s: %u copied, %u already there", src,
            dst, counts.copied, counts.alreadyThere);
    const wchar_t* result = *copied ? L"Success" : L"Failed";
    log.Log(4, L"CopyFileOption: CVorlanDlg::ProcessCopyFile. Copy File %s --> %s, %s", src, dst, result);
    context.PrintInfo(vorlan::fmt::Format(L"Copy File %s --> %s, %s", src, dst, result));
  });
}

