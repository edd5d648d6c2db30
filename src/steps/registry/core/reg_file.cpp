#include "steps/registry/core/reg_file.h"

#include <new>
#include <utility>

#include "pkg_reg/core/install_dir.h"

namespace vorlan {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::size_t SkipBlanks(std::wstring_view text, std::size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

bool OnlyBlanksFrom(std::wstring_view text, std::size_t pos) { return SkipBlanks(text, pos) == text.size(); }

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// `word` in lower case; the text's ASCII letters may be in any case.
bool StartsWithWord(std::wstring_view text, std::wstring_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const wchar_t c = text[i] >= L'A' && text[i] <= L'Z' ? static_cast<wchar_t>(text[i] - L'A' + L'a') : text[i];
    if (c != word[i]) return false;
  }
  return true;
}

bool IsStringType(std::uint32_t type) {
  return type == kRegTypeSz || type == kRegTypeExpandSz || type == kRegTypeMultiSz;
}

class Parser {
 public:
  Parser(const RegFileText& text, const AnsiDecoder& decodeAnsi, std::wstring_view installDir)
      : text_(text), decodeAnsi_(decodeAnsi), installDir_(installDir) {}

  // False at the first fault, which Error() then holds.
  bool Run();
  std::vector<RegFileOp> TakeOps() { return std::move(ops_); }
  const RegFileError& Error() const { return error_; }
  std::size_t CurrentLine() const { return index_ + 1; }

 private:
  bool FailAt(std::size_t line, const char* reason) {
    error_ = RegFileError{line, reason};
    return false;
  }
  bool Fail(const char* reason) { return FailAt(CurrentLine(), reason); }

  bool KeyLine(std::wstring_view line);
  bool ValueLine(std::wstring_view line);
  bool Quoted(std::wstring_view line, std::size_t& pos, std::wstring& out);
  bool Dword(std::wstring_view digits, std::vector<std::uint8_t>& out);
  bool HexType(std::wstring_view line, std::size_t& pos, std::uint32_t& type);
  bool HexList(std::wstring_view line, std::size_t pos, std::vector<std::uint8_t>& out);
  bool HexStringData(RegFileOp& op);

  const RegFileText& text_;
  const AnsiDecoder& decodeAnsi_;
  std::wstring_view installDir_;
  std::vector<RegFileOp> ops_;
  RegFileError error_;
  std::size_t index_ = 0;  // the line being read, from 0

  // The last key line.
  bool haveKey_ = false;
  bool keyDeleted_ = false;
  RegRootKey root_ = RegRootKey::LocalMachine;
  std::wstring keyPath_;
};

bool Parser::Run() {
  for (index_ = 1; index_ < text_.LineCount(); ++index_) {
    std::wstring_view line = text_.Line(index_);
    line.remove_prefix(SkipBlanks(line, 0));
    if (line.empty() || line[0] == L';') continue;
    bool ok;
    if (line[0] == L'[') {
      ok = KeyLine(line);
    } else if (line[0] == L'"' || line[0] == L'@') {
      ok = ValueLine(line);
    } else {
      ok = Fail("not a key, value or comment");
    }
    if (!ok) return false;
  }
  return true;
}

bool Parser::KeyLine(std::wstring_view line) {
  const std::size_t close = line.rfind(L']');
  if (close == std::wstring_view::npos) return Fail("key line without ']'");
  if (!OnlyBlanksFrom(line, close + 1)) return Fail("text after ']'");
  std::wstring_view name = line.substr(1, close - 1);
  const bool remove = !name.empty() && name[0] == L'-';
  if (remove) name.remove_prefix(1);

  const std::size_t slash = name.find(L'\\');
  const auto root = RegRootFromName(name.substr(0, slash));
  if (!root) return Fail("unknown root key");
  std::wstring_view path;
  if (slash != std::wstring_view::npos) {
    path = name.substr(slash + 1);
    if (path.empty() || path.front() == L'\\' || path.back() == L'\\' || path.find(L"\\\\") != std::wstring_view::npos)
      return Fail("empty part in the key path");
  }
  if (remove && path.empty()) return Fail("a root key cannot be deleted");

  RegFileOp op;
  op.kind = remove ? RegOpKind::DeleteKey : RegOpKind::OpenKey;
  op.root = *root;
  op.keyPath = path;
  op.line = CurrentLine();
  haveKey_ = true;
  keyDeleted_ = remove;
  root_ = *root;
  keyPath_ = path;
  ops_.push_back(std::move(op));
  return true;
}

bool Parser::ValueLine(std::wstring_view line) {
  if (!haveKey_) return Fail("value before any key");
  if (keyDeleted_) return Fail("value below a deleted key");
  RegFileOp op;
  op.kind = RegOpKind::SetValue;
  op.root = root_;
  op.keyPath = keyPath_;
  op.line = CurrentLine();

  std::size_t pos = 1;  // past '@'
  if (line[0] == L'"') {
    pos = 0;
    if (!Quoted(line, pos, op.valueName)) return false;
  }
  pos = SkipBlanks(line, pos);
  if (pos == line.size() || line[pos] != L'=') return Fail("missing '='");
  const std::wstring_view data = line.substr(SkipBlanks(line, pos + 1));

  if (!data.empty() && data[0] == L'-') {
    if (!OnlyBlanksFrom(data, 1)) return Fail("text after the value");
    op.kind = RegOpKind::DeleteValue;
  } else if (!data.empty() && data[0] == L'"') {
    std::wstring text;
    std::size_t end = 0;
    if (!Quoted(data, end, text)) return false;
    if (!OnlyBlanksFrom(data, end)) return Fail("text after the value");
    op.type = kRegTypeSz;
    AppendUtf16Le(pkgreg::ReplaceInstallDir(text, installDir_), op.data);
    op.data.insert(op.data.end(), {0, 0});
  } else if (StartsWithWord(data, L"dword:")) {
    op.type = kRegTypeDword;
    if (!Dword(data.substr(6), op.data)) return false;
  } else if (StartsWithWord(data, L"hex:")) {
    op.type = kRegTypeBinary;
    if (!HexList(data, 4, op.data)) return false;
  } else if (StartsWithWord(data, L"hex(")) {
    std::size_t at = 4;
    if (!HexType(data, at, op.type) || !HexList(data, at, op.data)) return false;
    if (IsStringType(op.type) && !HexStringData(op)) return false;
  } else {
    return Fail("unknown value kind");
  }
  ops_.push_back(std::move(op));
  return true;
}

// From the opening quote at `pos` to just past the closing one.
bool Parser::Quoted(std::wstring_view line, std::size_t& pos, std::wstring& out) {
  for (++pos;;) {
    if (pos >= line.size()) return Fail("unterminated quote");
    wchar_t c = line[pos++];
    if (c == L'"') return true;
    if (c == L'\\') {
      if (pos >= line.size()) return Fail("unterminated quote");
      c = line[pos++];
      if (c != L'\\' && c != L'"') return Fail("bad escape in quotes");
    }
    out.push_back(c);
  }
}

bool Parser::Dword(std::wstring_view digits, std::vector<std::uint8_t>& out) {
  std::uint32_t value = 0;
  std::size_t n = 0;
  for (; n < digits.size() && HexDigit(digits[n]) >= 0; ++n) {
    if (n == 8) return Fail("dword of more than 8 hex digits");
    value = (value << 4) | static_cast<std::uint32_t>(HexDigit(digits[n]));
  }
  if (n == 0) return Fail("dword without hex digits");
  if (!OnlyBlanksFrom(digits, n)) return Fail("bad dword");
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
  return true;
}

// "n):" after "hex(", n of 1 to 8 hex digits.
bool Parser::HexType(std::wstring_view line, std::size_t& pos, std::uint32_t& type) {
  std::size_t n = 0;
  type = 0;
  for (; pos < line.size() && HexDigit(line[pos]) >= 0; ++pos, ++n)
    type = (type << 4) | static_cast<std::uint32_t>(HexDigit(line[pos]));
  if (n == 0 || n > 8 || line.substr(pos, 2) != L"):") return Fail("bad type in hex(n)");
  pos += 2;
  return true;
}

// Bytes separated by ','; a '\' that ends a line goes on with the next one.
bool Parser::HexList(std::wstring_view line, std::size_t pos, std::vector<std::uint8_t>& out) {
  enum { Start, AfterByte, AfterComma } state = Start;
  for (;;) {
    pos = SkipBlanks(line, pos);
    if (pos == line.size()) {
      if (state == AfterComma) return Fail("hex list ends with ','");
      return true;
    }
    if (line[pos] == L'\\' && OnlyBlanksFrom(line, pos + 1)) {
      if (index_ + 1 == text_.LineCount()) return Fail("hex list continued past the end of the file");
      line = text_.Line(++index_);
      pos = 0;
      continue;
    }
    if (state == AfterByte) {
      if (line[pos] != L',') return Fail("bad hex byte");
      state = AfterComma;
      ++pos;
      continue;
    }
    const int high = HexDigit(line[pos]);
    if (high < 0) return Fail("bad hex byte");
    int value = high;
    if (++pos < line.size() && HexDigit(line[pos]) >= 0) value = value * 16 + HexDigit(line[pos++]);
    if (pos < line.size() && HexDigit(line[pos]) >= 0) return Fail("bad hex byte");
    out.push_back(static_cast<std::uint8_t>(value));
    state = AfterByte;
  }
}

// hex(1), hex(2), hex(7): ANSI runs of a REGEDIT4 file to UTF-16LE, then
// the game folder in place of "%InstallDir%".
bool Parser::HexStringData(RegFileOp& op) {
  std::wstring text;
  std::optional<std::uint8_t> oddByte;
  if (text_.Format() == RegFileFormat::Version5) {
    text = WideFromUtf16Le(op.data);
    if (text.find(pkgreg::kInstallDirMacro) == std::wstring::npos) return true;
    if (op.data.size() % 2 != 0) oddByte = op.data.back();
  } else {
    if (!decodeAnsi_) return FailAt(op.line, "no ANSI code page conversion");
    const std::string_view bytes(reinterpret_cast<const char*>(op.data.data()), op.data.size());
    for (std::size_t from = 0;;) {
      std::size_t end = bytes.find('\0', from);
      if (end == std::string_view::npos) end = bytes.size();
      if (end > from) {
        const auto run = decodeAnsi_(bytes.substr(from, end - from));
        if (!run) return FailAt(op.line, "text not valid in the ANSI code page");
        text.append(*run);
      }
      if (end == bytes.size()) break;
      text.push_back(L'\0');
      from = end + 1;
    }
  }
  op.data.clear();
  AppendUtf16Le(pkgreg::ReplaceInstallDir(text, installDir_), op.data);
  if (oddByte) op.data.push_back(*oddByte);
  return true;
}

}  // namespace

RegFileResult ParseRegFile(std::span<const std::uint8_t> bytes, const AnsiDecoder& decodeAnsi,
                           std::wstring_view installDir) {
  RegFileResult result;
  RegFileText text;
  Parser parser(text, decodeAnsi, installDir);
  try {
    if (auto error = text.Decode(bytes, decodeAnsi)) {
      result.error = std::move(error);
      return result;
    }
    result.format = text.Format();
    if (!parser.Run()) {
      result.error = parser.Error();
      return result;
    }
    result.ops = parser.TakeOps();
  } catch (const std::bad_alloc&) {
    result.ops.clear();
    result.error = RegFileError{parser.CurrentLine(), "out of memory"};
  }
  return result;
}

}  // namespace vorlan
