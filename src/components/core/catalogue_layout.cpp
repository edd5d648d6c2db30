#include "components/core/catalogue_layout.h"

#include <cstdint>

#include "platform/core/wformat.h"

namespace vorlan {

std::wstring ListSection(int isEnable64, bool is64BitWindows) {
  return isEnable64 == 1 && is64BitWindows ? L"Argument64" : L"Argument";
}

int ListLength(int argc) {
  if (argc <= 0) return 0;
  return argc > kMaxListEntries ? kMaxListEntries : argc;
}

bool ListLengthIsCut(int argc) { return argc > kMaxListEntries; }

std::wstring ListKey(int index) { return fmt::Format(L"%s_%d", L"Argument", index); }

CheckType ParseCheckType(std::wstring_view type) {
  if (type == L"regread") return CheckType::RegRead;
  if (type == L"filefind") return CheckType::FileFind;
  return CheckType::None;
}

int FileFindNumber(int start, int k) {
  return static_cast<int>(static_cast<std::uint32_t>(start) + static_cast<std::uint32_t>(k));
}

std::wstring FileFindName(bool windir, std::wstring_view windowsDirectory, std::wstring_view path, int number,
                          std::wstring_view last) {
  if (windir) return fmt::Format(L"%s\\%s%d%s", windowsDirectory, path, number, last);
  return fmt::Format(L"%s%d%s", path, number, last);
}

std::wstring Win7SectionName(std::wstring_view component) { return fmt::Format(L"%sWin7", component); }

std::wstring InstallSectionName(std::wstring_view component, bool isWindows7, std::wstring_view win7Exe) {
  if (isWindows7 && !win7Exe.empty()) return Win7SectionName(component);
  return std::wstring(component);
}

std::wstring HelpPageName(std::wstring_view language) { return fmt::Format(L"%s.htm", language); }

}  // namespace vorlan
