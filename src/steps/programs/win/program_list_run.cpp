#include "steps/programs/win/program_list_run.h"

#include <windows.h>

#include <vector>

#include "platform/core/path_join.h"
#include "platform/core/wformat.h"
#include "platform/win/process_start.h"
#include "steps/programs/core/program_command_line.h"
#include "steps/programs/core/program_list.h"

namespace vorlan::steps {
namespace {

// The section names of an INI file (none when it cannot be read).
std::vector<std::wstring> SectionNamesOf(const std::wstring& path) {
  std::vector<wchar_t> buffer(4096);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD n = ::GetPrivateProfileSectionNamesW(buffer.data(), size, path.c_str());
    if (n + 2 < size || size >= (1u << 24)) {
      std::vector<std::wstring> names;
      for (DWORD i = 0; i < n && buffer[i] != L'\0';) {
        std::wstring name(&buffer[i]);
        i += static_cast<DWORD>(name.size()) + 1;
        names.push_back(std::move(name));
      }
      return names;
    }
    buffer.resize(buffer.size() * 4);
  }
}

}  // namespace

void RunProgramList(StepContext& context, const OS::IniFile& file, const std::wstring& list, int num,
                    std::wstring_view reportName) {
  if (num == 0 || list.empty()) return;
  const std::vector<std::wstring> sections = SectionNamesOf(file.Path());
  const unsigned limit = ProgramListScanLimit(num, list, sections);
  const std::wstring programDirectory = context.ProgramDirectory();
  for (unsigned i = 0; i < limit; ++i) {
    const std::wstring section = ProgramListEntrySection(list, i);
    const std::wstring exe = file.ReadString(section, L"Exe");
    const std::wstring param = file.ReadString(section, L"Param");
    if (exe.empty()) continue;

    const std::wstring fullPath = PathJoin(programDirectory, exe);
    OS::ProcessStart start;
    start.commandLine = QuotedProgramCommandLine(fullPath, param);
    start.workingDirectory = programDirectory;
    start.creationFlags = CREATE_NEW_CONSOLE;
    start.showWindow = SW_SHOW;
    start.keepProcess = true;
    OS::ProcessResult result = OS::StartProcess(start);
    if (result.started && file.ReadInt(section, L"Wait", 0) != 0)
      ::WaitForSingleObject(result.process.Get(), INFINITE);
    result.process.Close();
    context.PrintInfo(fmt::Format(L"%s %s, %s", reportName, fullPath, result.started ? L"Success" : L"Failed"));
  }
}

}  // namespace vorlan::steps
