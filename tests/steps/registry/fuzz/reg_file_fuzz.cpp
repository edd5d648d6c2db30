// Fuzzes the reading of registry editor files (.reg). Any bytes are either
// read or refused whole at a line of the file. A file that is read, written
// out again as a version-5 file, reads back to the same operations; the
// game folder given is "%InstallDir%" itself so that putting it in changes
// nothing. A second read with a real folder and a code page that takes any
// byte must read the file as well.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "steps/registry/core/reg_file.h"

namespace {

using namespace vorlan;

std::optional<std::wstring> Latin1(std::string_view bytes, bool refuse81) {
  std::wstring out;
  for (const unsigned char c : bytes) {
    if (refuse81 && c == 0x81) return std::nullopt;
    out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

const wchar_t* RootName(RegRootKey root) {
  switch (root) {
    case RegRootKey::ClassesRoot: return L"HKEY_CLASSES_ROOT";
    case RegRootKey::CurrentUser: return L"HKEY_CURRENT_USER";
    case RegRootKey::LocalMachine: return L"HKEY_LOCAL_MACHINE";
    case RegRootKey::Users: return L"HKEY_USERS";
    case RegRootKey::CurrentConfig: return L"HKEY_CURRENT_CONFIG";
  }
  __builtin_trap();
}

std::wstring Quoted(std::wstring_view text) {
  std::wstring out = L"\"";
  for (const wchar_t c : text) {
    if (c == L'\\' || c == L'"') out.push_back(L'\\');
    out.push_back(c);
  }
  return out + L"\"";
}

// REG_SZ data that a quoted string gives: one NUL at the end, no line ends.
bool QuotableString(const RegFileOp& op) {
  const auto& d = op.data;
  if (op.type != kRegTypeSz || d.size() < 2 || d.size() % 2 != 0 || d[d.size() - 2] != 0 || d.back() != 0) return false;
  for (std::size_t i = 0; i + 2 < d.size(); i += 2) {
    const unsigned unit = d[i] | (d[i + 1] << 8);
    if (unit == 0 || unit == L'\n' || unit == L'\r') return false;
  }
  return true;
}

std::vector<std::uint8_t> WriteVersion5(const std::vector<RegFileOp>& ops) {
  std::wstring text = L"Windows Registry Editor Version 5.00\r\n";
  for (const RegFileOp& op : ops) {
    if (op.kind == RegOpKind::DeleteKey || op.kind == RegOpKind::OpenKey) {
      text += op.kind == RegOpKind::DeleteKey ? L"\r\n[-" : L"\r\n[";
      text += RootName(op.root);
      if (!op.keyPath.empty()) text += L"\\" + op.keyPath;
      text += L"]\r\n";
      continue;
    }
    text += op.valueName.empty() ? L"@" : Quoted(op.valueName);
    if (op.kind == RegOpKind::DeleteValue) {
      text += L"=-\r\n";
    } else if (QuotableString(op)) {
      const auto body = std::span(op.data).first(op.data.size() - 2);
      text += L"=" + Quoted(WideFromUtf16Le(body)) + L"\r\n";
    } else {
      static const wchar_t kDigits[] = L"0123456789abcdef";
      text += L"=hex(";
      std::wstring type;
      for (std::uint32_t t = op.type; type.empty() || t != 0; t >>= 4) type.insert(type.begin(), kDigits[t & 15]);
      text += type + L"):";
      for (std::size_t i = 0; i < op.data.size(); ++i) {
        if (i != 0) text += i % 16 == 0 ? L",\\\r\n  " : L",";
        text += kDigits[op.data[i] >> 4];
        text += kDigits[op.data[i] & 15];
      }
      text += L"\r\n";
    }
  }
  std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
  AppendUtf16Le(text, bytes);
  return bytes;
}

bool SameOps(const std::vector<RegFileOp>& a, const std::vector<RegFileOp>& b, bool sameData) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].kind != b[i].kind || a[i].root != b[i].root || a[i].keyPath != b[i].keyPath ||
        a[i].valueName != b[i].valueName || a[i].type != b[i].type || (sameData && a[i].data != b[i].data))
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto strict = [](std::string_view b) { return Latin1(b, true); };
  const RegFileResult result = ParseRegFile(bytes, strict, L"%InstallDir%");

  if (result.error) {
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
    if (!result.ops.empty() || result.error->line < 1 || result.error->line > lines || result.error->reason.empty())
      __builtin_trap();
    return 0;
  }
  for (std::size_t i = 0; i < result.ops.size(); ++i) {
    const RegFileOp& op = result.ops[i];
    const bool isKey = op.kind == RegOpKind::DeleteKey || op.kind == RegOpKind::OpenKey;
    if ((i == 0 && !isKey) || (i != 0 && op.line <= result.ops[i - 1].line)) __builtin_trap();
    if (!isKey && (op.root != result.ops[i - 1].root || op.keyPath != result.ops[i - 1].keyPath)) __builtin_trap();
    if (op.kind != RegOpKind::SetValue && (op.type != kRegTypeNone || !op.data.empty())) __builtin_trap();
  }

  const RegFileResult again = ParseRegFile(WriteVersion5(result.ops), strict, L"%InstallDir%");
  if (again.error || !SameOps(result.ops, again.ops, true)) __builtin_trap();

  const auto any = [](std::string_view b) { return Latin1(b, false); };
  const RegFileResult real = ParseRegFile(bytes, any, L"C:\\Games\\G\\");
  if (real.error || !SameOps(result.ops, real.ops, false)) __builtin_trap();
  return 0;
}
