#include "steps/pipeline/win/translate_path.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/win/os_info.h"
#include "platform/win/system_functions.h"
#include "steps/pipeline/core/path_macros.h"

namespace {

struct Expanded {
  bool ok = false;
  std::wstring text;  // empty unless ok
  DWORD error = 0;    // the last error right after the call
};

Expanded Expand(std::wstring_view variable) {
  Expanded result;
  if (variable.empty()) return result;  // not expanded on this Windows: no call, no error
  wchar_t buffer[vorlan::kFolderBufferChars] = {};
  const std::wstring source(variable);
  ::SetLastError(ERROR_SUCCESS);
  const DWORD count = ::ExpandEnvironmentStringsW(source.c_str(), buffer, vorlan::kFolderBufferChars);
  result.error = ::GetLastError();
  // A count above the buffer size means the text did not fit: the buffer is
  // then not a result.
  buffer[vorlan::kFolderBufferChars - 1] = L'\0';
  const std::wstring text = count != 0 && count <= vorlan::kFolderBufferChars ? buffer : L"";
  result.ok = vorlan::ExpansionSucceeded(variable, text, count);
  if (result.ok) result.text = text;
  return result;
}

std::wstring ShellFolder(int csidl) {
  wchar_t buffer[vorlan::kFolderBufferChars] = {};
  OS::late::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
  buffer[vorlan::kFolderBufferChars - 1] = L'\0';
  return buffer;
}

}  // namespace

void TranslatePath(const std::wstring& token, std::wstring& folder, bool use64BitProgramFiles) {
  if (token.empty()) return;
  const vorlan::MacroRow* row = vorlan::FindMacro(token);
  if (!row) return;

  if (const auto plan = vorlan::ExpansionFor(row->csidl, OS::GetOsCode(), use64BitProgramFiles)) {
    const Expanded expanded = Expand(plan->variable);
    std::wstring buffer = expanded.text;
    if (!plan->joinTail.empty() && (expanded.ok || plan->intoFolder)) buffer = vorlan::PathJoin(buffer, plan->joinTail);
    if (plan->intoFolder) folder = buffer;
    CLogMgr::GetInstance().Log(16, L"CVorlanDlg::TranslatePath. %s --> %s, ErrorCode %u", plan->logName, buffer,
                               expanded.error);
    if (expanded.ok) {
      folder = buffer;
      return;
    }
  }
  folder = ShellFolder(row->csidl);
}

std::wstring ResolveMacroPrefixedPath(const std::wstring& value, bool use64BitProgramFiles) {
  return vorlan::ApplyMacroPrefix(value, [use64BitProgramFiles](const std::wstring& token) {
    std::wstring folder;
    TranslatePath(token, folder, use64BitProgramFiles);
    return folder;
  });
}
