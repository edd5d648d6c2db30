#include "steps/files/win/junction_step.h"

#include <windows.h>

#include "step_context/win/step_context.h"
#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/core/wformat.h"
#include "platform/win/file_copy.h"
#include "platform/win/os_info.h"
#include "platform/win/process_start.h"
#include "steps/files/core/junction_plan.h"
#include "steps/files/win/junction_point.h"
#include "steps/pipeline/win/numbered_entries.h"
#include "steps/pipeline/win/translate_path.h"

using vorlan::steps::EntryCount;
using vorlan::steps::ForEachEntry;

namespace {

const wchar_t* ResultWord(bool ok) { return ok ? L"Success" : L"Failed"; }

}  // namespace

void CJunctionStep::ProcessJunctionFileMgr(OS::ClientProbe& probe) {
  probe.Refresh();
  const vorlan::JunctionVariant variant =
      vorlan::ChooseJunctionVariant(probe.ClientType(), probe.IsDriveProtected(L'C'), probe.IsDriveProtected(L'E'));
  CLogMgr::GetInstance().LogText(4, std::wstring(vorlan::VariantLogText(variant)).c_str());
  if (variant == vorlan::JunctionVariant::Junction) {
    RunJunctionVariant();
  } else {
    RunJunctionOptionVariant();
  }
}

void CJunctionStep::RunJunctionVariant() {
  records_.RemoveJunctionCfg();
  const OS::IniFile& options = context_.Options();
  ForEachEntry(options, L"Junction", EntryCount(options, L"Junction"), [&](int, const std::wstring& section) {
    std::wstring src = options.ReadString(section, L"Src");
    std::wstring dst = options.ReadString(section, L"Dst");
    if (src.empty() || dst.empty()) return;
    dst = ResolveMacroPrefixedPath(dst, false);
    if (dst.empty()) return;
    src = vorlan::PathJoin(context_.ProgramDirectory(), src);
    JuntionFileProcess(dst, src, options.ReadInt(section, L"Option", 0), 0, 0);
  });
}

void CJunctionStep::RunJunctionOptionVariant() {
  const OS::IniFile& options = context_.Options();
  const int num = EntryCount(options, L"JunctionOption");
  if (num == 0) {
    RunJunctionVariant();
    return;
  }
  records_.RemoveJunctionCfg();
  ForEachEntry(options, L"JunctionOption", num, [&](int, const std::wstring& section) {
    const int option = options.ReadInt(section, L"Option", 0);
    const bool run = option == 5;
    std::wstring first = options.ReadString(section, run ? L"RunName" : L"Dst");
    std::wstring second = options.ReadString(section, run ? L"RunParam" : L"Src");
    if (first.empty()) return;
    first = ResolveMacroPrefixedPath(first, false);
    if (first.empty()) return;
    if (run) {
      first = vorlan::PathJoin(context_.ProgramDirectory(), first);
    } else {
      // No source folder: nothing to link or copy (never the whole program folder).
      if (second.empty()) return;
      second = vorlan::PathJoin(context_.ProgramDirectory(), second);
    }
    JuntionFileProcess(first, second, option, options.ReadInt(section, L"msi", 0), options.ReadInt(section, L"Wait", 0));
  });
}

bool CJunctionStep::JuntionFileProcess(const std::wstring& first, const std::wstring& second, int option, int msi,
                                       int wait) {
  bool ok = false;
  switch (option) {
    case 0:
    case 1:
    case 3:
      ok = OptionCreateLink(first, second, option);
      break;
    case 2:
      ok = OptionCopy(first, second);
      break;
    case 4:
      if (OS::PathExists(first) && IsWorkingJunction(first)) {
        CLogMgr::GetInstance().Log(4, L"JunctionOption: CVorlanDlg::OptionMoveAndCreateLink. Continue Dst: %s", first);
        return true;
      }
      ok = OptionMoveAndCreateLink(first, second);
      break;
    case 5:
      ok = RunPackage(first, second, msi, wait);
      break;
    default:
      ok = false;
      break;
  }
  context_.PrintInfo(vorlan::fmt::Format(L"JunctionOption: CVorlanDlg::JuntionFileProcess. Junction %s --> %s, %s", second,
                                         first, ResultWord(ok)));
  return ok;
}

bool CJunctionStep::OptionCreateLink(const std::wstring& dst, const std::wstring& src, int mode) {
  const JunctionOutcome outcome = CreateJunction(dst, src, mode);
  if (outcome == JunctionOutcome::Kept) {
    records_.WriteJunctionRecord(src, dst, false);
    return true;
  }
  if (outcome == JunctionOutcome::Created) {
    if (records_.WriteJunctionRecord(src, dst, true)) return true;
    // A junction without a record would never be taken down again: undo it
    // and copy instead.
    RemoveJunction(dst);
  }
  if (!OS::CopyFolderTree(dst, src)) return false;
  CLogMgr::GetInstance().Log(4, L"JunctionOption: CVorlanDlg::OptionCreateLink. Junction Become Copy, Src %s --> %s", src,
                             dst);
  return true;
}

bool CJunctionStep::OptionCopy(const std::wstring& dst, const std::wstring& src) {
  RemoveJunction(dst);
  if (!OS::CopyFolderTree(dst, src)) return false;
  CLogMgr::GetInstance().Log(64, L"JunctionOption: CVorlanDlg::OptionCopy. Junction Become Copy, Src %s --> %s", src, dst);
  return true;
}

bool CJunctionStep::OptionMoveAndCreateLink(const std::wstring& dst, const std::wstring& src) {
  return records_.OldFileMgr(src, dst);
}

bool CJunctionStep::RunPackage(const std::wstring& runName, const std::wstring& runParam, int msi, int wait) {
  if (runName.empty()) return false;
  const std::wstring commandLine = vorlan::PackageCommandLine(runName, runParam, msi);
  if (commandLine.empty()) return true;  // this msi value runs nothing, and that is not an error
  OS::ProcessStart start;
  start.commandLine = commandLine;
  start.workingDirectory = context_.ProgramDirectory();
  start.creationFlags = CREATE_NEW_CONSOLE;
  start.showWindow = SW_SHOWNORMAL;
  start.wait = wait != 0;
  const OS::ProcessResult result = OS::StartProcess(start);
  context_.PrintInfo(vorlan::fmt::Format(L"运行自解压 %s, %s, %s", runName, ResultWord(result.started), commandLine));
  return result.started;
}

void RunJunctionStep(StepContext& context, OS::ClientProbe& probe) {
  CJunctionRecords records;
  CJunctionStep(context, records).ProcessJunctionFileMgr(probe);
}

