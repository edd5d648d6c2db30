#include "steps/registry/core/reg_import.h"

namespace vorlan {
namespace {

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool EndsWithNoCase(std::wstring_view text, std::wstring_view tail) {
  if (text.size() < tail.size()) return false;
  text.remove_prefix(text.size() - tail.size());
  for (std::size_t i = 0; i < tail.size(); ++i)
    if (AsciiLower(text[i]) != tail[i]) return false;
  return true;
}

}  // namespace

RegImportKind ImportKindOf(std::wstring_view path) {
  if (EndsWithNoCase(path, L".nfd") || EndsWithNoCase(path, L".psd")) return RegImportKind::PackageRegistryFile;
  return RegImportKind::RegEditorFile;
}

RegApplyReport ApplyRegOps(const std::vector<RegFileOp>& ops, RegWriter& writer) {
  RegApplyReport report;
  report.total = ops.size();
  long keyError = 0;  // of the key that value operations act on
  for (const RegFileOp& op : ops) {
    long error = 0;
    switch (op.kind) {
      case RegOpKind::DeleteKey:
        error = writer.DeleteTree(op.root, op.keyPath);
        break;
      case RegOpKind::OpenKey:
        error = keyError = writer.OpenKey(op.root, op.keyPath);
        break;
      case RegOpKind::SetValue:
        error = keyError != 0 ? keyError : writer.SetValue(op.valueName, op.type, op.data);
        break;
      case RegOpKind::DeleteValue:
        error = keyError != 0 ? keyError : writer.DeleteValue(op.valueName);
        break;
    }
    if (error == 0) continue;
    if (report.failed++ == 0) {
      report.firstFailedLine = op.line;
      report.firstError = error;
    }
  }
  return report;
}

}  // namespace vorlan
