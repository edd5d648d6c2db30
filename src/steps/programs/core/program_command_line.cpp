#include "steps/programs/core/program_command_line.h"

#include "platform/core/wformat.h"

namespace vorlan {

std::wstring QuotedProgramCommandLine(std::wstring_view program, std::wstring_view arguments) {
  return fmt::Format(L"\"%s\" %s", program, arguments);
}

bool BarePathNeedsQuotes(std::wstring_view program, bool programIsFile) {
  if (!programIsFile || program.empty() || program.front() == L'"') return false;
  return program.find_first_of(L" \t") != std::wstring_view::npos;
}

std::wstring BareProgram(std::wstring_view program, bool programIsFile) {
  if (BarePathNeedsQuotes(program, programIsFile)) return fmt::Format(L"\"%s\"", program);
  return std::wstring(program);
}

std::wstring BareProgramCommandLine(std::wstring_view program, bool programIsFile, std::wstring_view arguments) {
  return fmt::Format(L"%s %s", BareProgram(program, programIsFile), arguments);
}

std::wstring AppLocCommandLine(std::wstring_view launcher, bool launcherIsFile, std::wstring_view gamePath,
                               std::wstring_view locale) {
  return fmt::Format(L"%s \"%s\" \"%s\"", BareProgram(launcher, launcherIsFile), gamePath, locale);
}

}  // namespace vorlan
