#include "check/win/plan.h"

#include <windows.h>

#include <algorithm>

#include "steps/pipeline/core/white_list.h"
#include "platform/core/path_join.h"
#include "platform/core/wformat.h"
#include "platform/win/ini_file.h"
#include "platform/win/os_info.h"
#include "steps/programs/core/game_exe_settings.h"
#include "steps/system/core/display_mode.h"
#include "steps/files/core/junction_plan.h"
#include "steps/pipeline/core/path_macros.h"
#include "steps/registry/core/reg_value_entry.h"
#include "steps/registry/core/service_plan.h"
#include "steps/programs/core/launch_mode.h"
#include "steps/pipeline/core/numbered_sections.h"
#include "steps/programs/core/program_command_line.h"
#include "steps/programs/core/program_list.h"
#include "steps/pipeline/core/step_table.h"
#include "steps/assoc/win/assoc_game_path_set_step.h"
#include "steps/system/win/display_step.h"
#include "steps/programs/win/existing_file.h"
#include "steps/programs/win/game_exe_settings_read.h"
#include "steps/system/win/map_step.h"
#include "steps/pipeline/win/translate_path.h"

namespace vorlan::check {
namespace {

// The counts the launcher caps.
constexpr int kMaxSubProcesses = 64;
constexpr int kMaxSteps = 64;
// Entries of a numbered section listed at most.
constexpr int kMaxEntries = 1000;

// A command line as a person reads it: without the blank the launcher puts
// after the program when there are no arguments.
std::wstring Shown(std::wstring commandLine) {
  while (!commandLine.empty() && commandLine.back() == L' ') commandLine.pop_back();
  return commandLine;
}

class Planner {
 public:
  Planner(const std::wstring& folder, const std::function<void(const std::wstring&)>& out)
      : folder_(folder), programDirectory_(folder), options_(PathJoin(folder, L"VorlanCfg.ini")), out_(out),
        osCode_(OS::GetOsCode()), is64_(OS::Is64BitOs()) {}

  void Run() {
    out_(fmt::Format(L"plan for %s on this PC (OS code %d, %s Windows); nothing is changed", folder_, osCode_,
                     is64_ ? L"64-bit" : L"32-bit"));
    const std::wstring osCfg = options_.ReadString(L"WindowsCfg", L"OsCfg");
    if (!osCfg.empty()) out_(L"[WindowsCfg] OsCfg=" + osCfg + L": a PC that matches none of these ends the run at once");

    if (!steps::ListsDisplayStep(options_))
      out_(L"at the start of every run: a display mode an earlier game left is set back to the PC's own (no \"Display\" step listed)");
    out_(L"first run of the day (full run):");
    const int processes = std::min(options_.ReadInt(L"ProcessMgr", L"Argc", 0), kMaxSubProcesses);
    if (processes <= 0) out_(L"  no sub-process: nothing runs, the game is not started");
    for (int n = 0; n < processes; ++n) {
      const std::wstring section = fmt::Format(L"%s_%d", L"ProcessMgr", n);
      const int steps = std::min(options_.ReadInt(section, L"Argc", 0), kMaxSteps);
      out_(fmt::Format(L"  [%s], %d %s", section, steps, steps == 1 ? L"step" : L"steps"));
      for (int i = 0; i < steps; ++i) {
        const std::wstring name = options_.ReadString(section, fmt::Format(L"%s_%d", L"Argument", i));
        const bool worker = options_.ReadInt(section, fmt::Format(L"%s_%d", L"IsPreLoad", i), 0) == 1;
        Step(name, worker);
      }
    }
    out_(L"later runs of the day (white list [Control] Exclude):");
    programDirectory_ = folder_;
    for (const std::wstring& name : WhiteListSteps(options_.ReadString(L"Control", L"Exclude"), true, true))
      Step(name, false);
  }

 private:
  void Line(const std::wstring& text) { out_(L"      " + text); }

  void Step(const std::wstring& name, bool worker) {
    const StepInfo* step = FindStep(name);
    if (!step) {
      out_(L"    step " + name + L": no such step, nothing runs");
      return;
    }
    out_(L"    step " + name + (worker ? L" (on a worker thread of its own)" : L""));
    switch (step->id) {
      case StepId::Map: Map(); break;
      case StepId::Copy: Copy(); break;
      case StepId::Junction: Junction(); break;
      case StepId::PreLoad: ProgramList(options_, L"PreLoad", L"ProcessPreLoad"); break;
      case StepId::SelectPreLoadProcess: SelectPreLoad(); break;
      case StepId::RunOnce: RunOnce(); break;
      case StepId::OpenUrl: OpenUrl(); break;
      case StepId::Main: Main(); break;
      case StepId::Component: Components(); break;
      case StepId::AppLoc: AppLoc(); break;
      case StepId::GameComponent:
        Line(L"hands the game over to ComponentMgr.dll; without it, or when it says no, ends the run: \"请使用Quorix游戏菜单启动游戏！\"");
        break;
      case StepId::ImportReg:
        Entries(L"ImportReg", [&](const std::wstring& section) { Line(L"Import Reg " + EntryFile(section)); });
        break;
      case StepId::Keys:
        // The data of a CD key is never shown.
        Entries(L"keys", [&](const std::wstring& section) {
          Line(RegistryValue(section, L"Write Key") + L" = " + Masked(options_.ReadString(section, L"Data", 16384)));
        });
        break;
      case StepId::GamePath:
        Entries(L"GamePath", [&](const std::wstring& section) {
          Line(RegistryValue(section, L"Set Game Path") + L" = " +
               GamePathValue(programDirectory_, options_.ReadString(section, L"SubPath"),
                             options_.ReadInt(section, L"TrailingBackslash", 0) != 0));
        });
        break;
      case StepId::Compatible:
        Entries(L"Compatible", [&](const std::wstring& section) {
          Line(L"Compatible " + EntryPath(options_.ReadString(section, L"Exe"), section) + L": layers \"" +
               options_.ReadString(section, L"Layers") + L"\"" +
               (options_.ReadInt(section, L"IsLocalMachine", 0) == 1 ? L", for every user" : L", for the current user"));
        });
        break;
      case StepId::RegDll:
        Entries(L"RegDll", [&](const std::wstring& section) {
          Line((options_.ReadInt(section, L"IsUnregister", 0) != 0 ? L"Unregister " : L"Register ") + EntryFile(section));
        });
        break;
      case StepId::RegService:
        Entries(L"RegService", [&](const std::wstring& section) {
          const ServicePlan plan =
              PlanService(options_.ReadString(section, L"Name"), EntryFile(section), options_.ReadString(section, L"Type"),
                          options_.ReadString(section, L"Start"), options_.ReadString(section, L"DisplayName"));
          if (plan.refusal) return Line(L"Register Service [" + section + L"], Failed: " + Widen(*plan.refusal));
          Line(L"Register Service " + options_.ReadString(section, L"Name") + L" (" + plan.binaryPath + L"), \"" +
               plan.displayName + L"\"" + (options_.ReadInt(section, L"IsStart", 1) != 0 ? L", started" : L""));
        });
        break;
      case StepId::AssocGamePathSet: AssocGamePathSet(); break;
      case StepId::Display: Display(); break;
      case StepId::Assoc: Line(L"prepares the packages of VorlanAssoc.ini on a worker the run waits for"); break;
      default: Line(L"changes nothing in this build"); break;
    }
  }

  // What "Map" would do with the letter as it is now. When it would
  // succeed, the later steps of the same run build their paths on the drive.
  void Map() {
    const steps::MapPlan plan = steps::PlanMap(options_, folder_);
    switch (plan.decision.action) {
      case MapAction::Refuse: return Line(L"Map " + plan.what + L", Failed: " + plan.decision.reason);
      case MapAction::Keep: Line(L"Map " + plan.what + L": the drive shows it already, kept"); break;
      case MapAction::ReplaceOurs:
        Line(L"Map " + plan.what + L", replacing the mapping to " + plan.state.target + L" made for another game");
        break;
      case MapAction::Define:
        Line(L"Map " + plan.what + (plan.target.source == MapSource::Share ? L", a network connection" : L""));
        break;
    }
    programDirectory_ = DriveName(*plan.letter);
    Line(L"the steps after it build their paths on " + programDirectory_);
  }

  // Each entry as the step reads it; the package folders come from the
  // client service at run time.
  void AssocGamePathSet() {
    const std::vector<steps::AssocPathEntry> entries = steps::ReadAssocPathEntries(options_);
    if (entries.empty()) return Line(L"[AssocGamePathSet] has no entry read on this PC: nothing is written");
    for (const steps::AssocPathEntry& entry : entries) {
      const std::wstring head = L"AssocGamePathSet" + std::to_wstring(entry.index) + L" ";
      if (!entry.id) {
        Line(head + L"PkgId \"" + entry.pkgIdText + L"\" Failed, not a package id");
      } else if (!entry.complete) {
        Line(head + entry.target + L" = " + entry.pattern + L" Failed, 87: " +
             (entry.type == 0 || entry.type == 1 ? L"a required key is missing or the root is unknown"
                                                  : L"Type is none of 0 and 1"));
      } else {
        Line(head + entry.target + L" = " + entry.pattern + L", %PkgPath% being the folder of package " +
             std::to_wstring(*entry.id) + L" (nothing is written when the client service does not know it)");
      }
    }
  }

  // Calls visit(section) for the entries the launcher visits on this PC.
  template <typename Visit>
  void Entries(const std::wstring& base, Visit visit) {
    const int count = std::min(options_.ReadInt(base, L"Num", 0), kMaxEntries);
    for (int i = 0; i < count; ++i) {
      const std::wstring section = EntrySectionName(base, i);
      const int skipOs = options_.ReadInt(section, L"SkipOS", 0);
      if (IsSkippedOn(skipOs, osCode_)) {
        Line(fmt::Format(L"[%s] skipped on this PC (SkipOS=%d)", section, skipOs));
        continue;
      }
      visit(section);
    }
  }

  std::wstring Destination(const std::wstring& section) {
    const bool native = options_.ReadInt(section, L"IsCloseRedirection", 0) == 1 && is64_;
    return ResolveMacroPrefixedPath(options_.ReadString(section, L"Dst"), native);
  }

  void Copy() {
    Entries(L"Copy", [&](const std::wstring& section) {
      const std::wstring src = options_.ReadString(section, L"Src");
      const std::wstring dst = Destination(section);
      if (src.empty() || dst.empty()) {
        Line(L"[" + section + L"] skipped: Src or Dst empty");
        return;
      }
      Line(fmt::Format(L"Copy File %s --> %s", PathJoin(programDirectory_, src), dst));
    });
  }

  void Junction() {
    for (const wchar_t* base : {L"Junction", L"JunctionOption"}) {
      Line(fmt::Format(L"if the client type reads [%s]:", base));
      if (std::wstring(base) == L"JunctionOption" && options_.ReadInt(base, L"Num", 0) <= 0) {
        Line(L"  [JunctionOption] has no entry: [Junction] is read instead, as above");
        continue;
      }
      Entries(base, [&](const std::wstring& section) {
        const int option = options_.ReadInt(section, L"Option", 0);
        if (option == 5 && std::wstring(base) == L"JunctionOption") {
          const std::wstring program = PathJoin(programDirectory_, options_.ReadString(section, L"RunName"));
          const std::wstring commandLine =
              PackageCommandLine(program, options_.ReadString(section, L"RunParam"), options_.ReadInt(section, L"msi", 0));
          Line(L"  [" + section + L"] Option 5: runs " +
               (commandLine.empty() ? std::wstring(L"nothing (msi is neither 0 nor 1)") : commandLine) +
               (options_.ReadInt(section, L"Wait", 0) != 0 ? L", waited for" : L""));
          return;
        }
        Line(fmt::Format(L"  Junction %s --> %s, Option %d", PathJoin(programDirectory_, options_.ReadString(section, L"Src")),
                         Destination(section), option));
      });
    }
  }

  void AppLoc() {
    if (options_.ReadInt(L"AppLoc", L"IsNeed", 0) != 0) return Line(L"[AppLoc] IsNeed is not 0: the step is skipped");
    std::wstring launcher = options_.ReadString(L"AppLoc", L"Exe");
    if (launcher.empty()) launcher = PathJoin(WindowsFolder(), L"AppPatch\\AppLoc.exe");
    const std::wstring gamePath = FullGamePath(programDirectory_, steps::ReadGameExeSettings(options_));
    Line(L"Run Apploc " + AppLocCommandLine(launcher, steps::IsExistingFile(launcher), gamePath,
                                            options_.ReadString(L"AppLoc", L"Param")));
  }

  void Components() {
    const OS::IniFile catalogue(PathJoin(folder_, L"VorlanComponent.ini"));
    const bool list64 = catalogue.ReadInt(L"ArgumentMgr", L"IsEnable64", 0) == 1 && is64_;
    const std::wstring list = list64 ? L"Argument64" : L"Argument";
    const int count = std::min(catalogue.ReadInt(list, L"Argc", 1), kMaxEntries);
    int listed = 0;
    for (int i = 0; i < count; ++i) {
      const std::wstring name = catalogue.ReadString(list, fmt::Format(L"%s_%d", L"Argument", i), 259);
      if (name.empty()) continue;
      ++listed;
      Line(fmt::Format(L"component %s (mark %d): installed by %s when its check fails", name,
                       catalogue.ReadInt(L"install", name, 0),
                       PathJoin(catalogue.ReadString(name, L"local", 259), catalogue.ReadString(name, L"exe", 259))));
    }
    if (listed == 0) Line(L"VorlanComponent.ini lists no component: nothing is installed");
  }

  // A file an entry names, as the step resolves it.
  std::wstring EntryFile(const std::wstring& section) { return EntryPath(options_.ReadString(section, L"File"), section); }
  std::wstring EntryPath(const std::wstring& value, const std::wstring& section) {
    if (value.empty()) return L"(none: [" + section + L"] has no value)";
    const bool native = options_.ReadInt(section, L"IsCloseRedirection", 0) == 1 && is64_;
    if (SplitMacroPrefixedPath(value)) return ResolveMacroPrefixedPath(value, native);
    const bool absolute = (value.size() >= 2 && value[1] == L':') || value.starts_with(L"\\\\");
    return absolute ? value : PathJoin(programDirectory_, value);
  }
  std::wstring RegistryValue(const std::wstring& section, const wchar_t* verb) {
    return std::wstring(verb) + L" " + options_.ReadString(section, L"Key", 16384) + L"\\" +
           options_.ReadString(section, L"Name", 16384);
  }
  static std::wstring Masked(const std::wstring& data) {
    return data.empty() ? std::wstring(L"(empty)") : std::wstring(std::min<std::size_t>(data.size(), 8), L'*');
  }
  static std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }
  static std::wstring WindowsFolder() {
    wchar_t buffer[MAX_PATH] = {};
    const UINT n = ::GetWindowsDirectoryW(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(buffer, n) : std::wstring();
  }

  void ProgramList(const OS::IniFile& file, const std::wstring& list, const wchar_t* reportName) {
    const int count = std::min(file.ReadInt(list, L"Num", 0), kMaxEntries);
    for (int i = 0; i < count; ++i) {
      const std::wstring section = ProgramListEntrySection(list, static_cast<unsigned>(i));
      const std::wstring exe = file.ReadString(section, L"Exe");
      if (exe.empty()) continue;
      const std::wstring fullPath = PathJoin(programDirectory_, exe);
      Line(fmt::Format(L"%s %s: %s%s", reportName, fullPath, Shown(QuotedProgramCommandLine(fullPath, file.ReadString(section, L"Param"))),
                       file.ReadInt(section, L"Wait", 0) != 0 ? L", waited for" : L""));
    }
  }

  void SelectPreLoad() {
    const std::wstring path = options_.ReadString(L"SelectPreLoadProcess", L"IniFilePath");
    if (path.empty()) return Line(L"no select file: nothing runs");
    const OS::IniFile select(PathJoin(folder_, path));
    const std::wstring list = SelectedProgramList(select.ReadInt(L"SelectPreLoadProcess", L"WhichProcess", 0));
    if (list.empty()) return Line(L"the select file chooses no list");
    Line(L"list [" + list + L"] of " + select.Path());
    ProgramList(select, list, L"SelectPreloadProcess");
  }

  void RunOnce() {
    const std::wstring exe = options_.ReadString(L"RunOnce", L"Exe");
    if (exe.empty()) return Line(L"no program: nothing runs");
    const std::wstring fullPath = PathJoin(programDirectory_, exe);
    Line(L"ProcessRunOnce " + fullPath + L": " +
         Shown(BareProgramCommandLine(fullPath, steps::IsExistingFile(fullPath), options_.ReadString(L"RunOnce", L"Param"))) +
         L", once a day");
  }

  void OpenUrl() {
    const int count = std::min(options_.ReadInt(L"OpenUrl", L"Num", 0), kMaxEntries);
    for (int i = 0; i < count; ++i) {
      const std::wstring url = options_.ReadString(L"OpenUrl", fmt::Format(L"%s_%d", L"Url", i));
      if (url.empty()) return;  // the step stops at the first empty address
      Line(L"open " + url);
    }
  }

  void Display() {
    const DisplayRequestParse parse = steps::ReadDisplayRequest(options_);
    if (!parse.error.empty()) return Line(L"[Display] " + parse.error + L": the step fails and changes nothing");
    if (parse.request.KeepsEverything())
      return Line(L"[Display] asks for no change; a mode an earlier game left is set back to the PC's own");
    Line(L"sets the display to " + FormatDisplayRequest(parse.request) +
         L" (* keeps the PC's own) when the mode in use differs and the display has it");
  }

  void Main() {
    const GameExeSettings game = steps::ReadGameExeSettings(options_);
    const std::wstring gamePath = FullGamePath(programDirectory_, game);
    const std::wstring commandLine = Shown(BareProgramCommandLine(gamePath, steps::IsExistingFile(gamePath), game.arguments));
    switch (LaunchModeFor(options_.ReadInt(L"Main", L"RunOption", 0))) {
      case LaunchMode::ShellOpen:
        return Line(fmt::Format(L"Start Game through the shell: %s%s, in %s", gamePath,
                                game.arguments.empty() ? std::wstring() : L" " + game.arguments, programDirectory_));
      case LaunchMode::CommandRunner:
        return Line(L"Start Game through WinExec: " + commandLine);
      case LaunchMode::OpenDocument:
        return Line(L"open " + game.program);
      case LaunchMode::CreateProcess:
        return Line(fmt::Format(L"Start Game: %s, in %s", commandLine, GameWorkingDirectory(programDirectory_, game)));
    }
  }

  std::wstring folder_;
  std::wstring programDirectory_;  // the game folder, or the drive once "Map" mapped it
  OS::IniFile options_;
  const std::function<void(const std::wstring&)>& out_;
  int osCode_;
  bool is64_;
};

}  // namespace

int PrintPlan(const std::wstring& folder, const std::function<void(const std::wstring&)>& out) {
  wchar_t full[MAX_PATH * 4] = {};
  const DWORD n = ::GetFullPathNameW(folder.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
  std::wstring path = n > 0 && n < std::size(full) ? std::wstring(full, n) : folder;
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  if (::GetFileAttributesW(PathJoin(path, L"VorlanCfg.ini").c_str()) == INVALID_FILE_ATTRIBUTES) {
    out(PathJoin(path, L"VorlanCfg.ini") + L": error: no such file: the launcher does nothing without it");
    return 2;
  }
  Planner(path, out).Run();
  return 0;
}

}  // namespace vorlan::check
