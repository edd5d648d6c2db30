#include "steps/registry/core/reg_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace vorlan;
using namespace std::string_view_literals;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Utf16(std::u16string_view text) {
  Bytes out;
  for (const char16_t u : text) out.insert(out.end(), {static_cast<std::uint8_t>(u & 0xFF), static_cast<std::uint8_t>(u >> 8)});
  return out;
}
Bytes Utf16Z(std::u16string_view text) { return Utf16(std::u16string(text) + u'\0'); }
Bytes Join(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Bytes V5(std::u16string_view text) { return Join({0xFF, 0xFE}, Utf16(text)); }
Bytes Narrow(std::string_view text) { return Bytes(text.begin(), text.end()); }
std::u16string Wide(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// "01,ab,..." for the bytes, as a hex list is written.
std::u16string HexList(const Bytes& bytes) {
  std::string out;
  char two[4];
  for (const std::uint8_t b : bytes) {
    std::snprintf(two, sizeof two, "%02x", b);
    out += (out.empty() ? "" : ",") + std::string(two);
  }
  return Wide(out);
}

// Latin-1, but 0x81 is not a character of this code page.
std::optional<std::wstring> Latin1(std::string_view bytes) {
  std::wstring out;
  for (const unsigned char c : bytes) {
    if (c == 0x81) return std::nullopt;
    out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

constexpr std::wstring_view kGame = L"C:\\Games\\Far\\\\";
const std::u16string kHeader = u"Windows Registry Editor Version 5.00\r\n\r\n[HKCU\\Software\\T]\r\n";

RegFileResult Parse(const Bytes& bytes) { return ParseRegFile(bytes, Latin1, kGame); }

}  // namespace

TEST(RegFile, EveryValueKindGivesTheBytesToSet) {
  const std::u16string longText(400, u'x');
  struct Row {
    std::u16string line;
    std::uint32_t type;
    Bytes data;
  } rows[] = {
      {u"@=\"a\\\\b \\\"q\\\"\"", kRegTypeSz, Utf16Z(u"a\\b \"q\"")},
      {u"\"n\"=\"\"", kRegTypeSz, {0, 0}},
      {u"\"n\"=\"%InstallDir%\\\\x%InstallDir%%installdir%\"", kRegTypeSz,
       Utf16Z(u"C:\\Games\\Far\\xC:\\Games\\Far%installdir%")},
      {u"\"n\"=\"Ärger 中文 😀\"", kRegTypeSz, Utf16Z(u"Ärger 中文 😀")},
      {u"\"n\"=\"" + longText + u"\"", kRegTypeSz, Utf16Z(longText)},
      {u"\"n\"=dword:0000002a", kRegTypeDword, {0x2a, 0, 0, 0}},
      {u"\"n\"=DWORD:FfFfFfFe", kRegTypeDword, {0xfe, 0xff, 0xff, 0xff}},
      {u"\t\"n\" =  dword:1 \t", kRegTypeDword, {1, 0, 0, 0}},
      {u"\"n\"=hex:", kRegTypeBinary, {}},
      {u"\"n\"=hex:00,7f, 80 ,FF,a", kRegTypeBinary, {0, 0x7f, 0x80, 0xff, 0x0a}},
      {u"\"n\"=hex:01,02,\\\r\n    03,\\  \r\n\t04\\\r\n,05", kRegTypeBinary, {1, 2, 3, 4, 5}},
      {u"\"n\"=hex(0):01", kRegTypeNone, {1}},
      {u"\"n\"=hex(4):2a,00,00,00", kRegTypeDword, {0x2a, 0, 0, 0}},
      {u"\"n\"=HEX(b):01,00,00,00,00,00,00,80", kRegTypeQword, {1, 0, 0, 0, 0, 0, 0, 0x80}},
      {u"\"n\"=hex(FFFFFFFF):", 0xFFFFFFFF, {}},
      {u"\"n\"=hex(1):" + HexList(Utf16Z(u"é%InstallDir%")), kRegTypeSz, Utf16Z(u"éC:\\Games\\Far")},
      {u"\"n\"=hex(2):" + HexList(Utf16Z(u"%InstallDir%\\%PATH%")), kRegTypeExpandSz,
       Utf16Z(u"C:\\Games\\Far\\%PATH%")},
      {u"\"n\"=hex(7):" + HexList(Utf16(u"a\0%InstallDir%\0\0"sv)), kRegTypeMultiSz, Utf16(u"a\0C:\\Games\\Far\0\0"sv)},
      {u"\"n\"=hex(2):" + HexList(Utf16(u"%InstallDir%")) + u",41", kRegTypeExpandSz,
       Join(Utf16(u"C:\\Games\\Far"), {0x41})},
      {u"\"n\"=hex(3):" + HexList(Utf16(u"%InstallDir%")), kRegTypeBinary, Utf16(u"%InstallDir%")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.line.begin(), row.line.end()));
    const RegFileResult result = Parse(V5(kHeader + row.line + u"\r\n"));
    ASSERT_FALSE(result.error) << result.error->line << ": " << result.error->reason;
    ASSERT_EQ(result.ops.size(), 2u);
    const RegFileOp& op = result.ops[1];
    EXPECT_EQ(op.kind, RegOpKind::SetValue);
    EXPECT_EQ(op.valueName, row.line[0] == u'@' ? L"" : L"n");
    EXPECT_EQ(op.type, row.type);
    EXPECT_EQ(op.data, row.data);
  }
}

TEST(RegFile, OperationsInFileOrderWithTheirKeysAndLines) {
  const RegFileResult result = Parse(V5(
      u"Windows Registry Editor Version 5.00  \n"
      u"; comment [HKLM\\X]\n"
      u"\n"
      u"  [-HKEY_CURRENT_USER\\Software\\Old Game]\n"
      u"[hkey_local_machine\\SOFTWARE\\Spiele\\Ärger]]\n"
      u"\"Pfad\"=-\n"
      u"@=-\n"
      u"\t[HKU] \n"
      u"\"\\\"q\\\\\"=dword:0\n"
      u"[HKCR\\.x]"));
  ASSERT_FALSE(result.error) << result.error->line << ": " << result.error->reason;
  EXPECT_EQ(result.format, RegFileFormat::Version5);
  struct Row {
    RegOpKind kind;
    RegRootKey root;
    std::wstring keyPath, valueName;
    std::size_t line;
  } const expected[] = {
      {RegOpKind::DeleteKey, RegRootKey::CurrentUser, L"Software\\Old Game", L"", 4},
      {RegOpKind::OpenKey, RegRootKey::LocalMachine, L"SOFTWARE\\Spiele\\Ärger]", L"", 5},
      {RegOpKind::DeleteValue, RegRootKey::LocalMachine, L"SOFTWARE\\Spiele\\Ärger]", L"Pfad", 6},
      {RegOpKind::DeleteValue, RegRootKey::LocalMachine, L"SOFTWARE\\Spiele\\Ärger]", L"", 7},
      {RegOpKind::OpenKey, RegRootKey::Users, L"", L"", 8},
      {RegOpKind::SetValue, RegRootKey::Users, L"", L"\"q\\", 9},
      {RegOpKind::OpenKey, RegRootKey::ClassesRoot, L".x", L"", 10},
  };
  ASSERT_EQ(result.ops.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(result.ops[i].kind, expected[i].kind);
    EXPECT_EQ(result.ops[i].root, expected[i].root);
    EXPECT_EQ(result.ops[i].keyPath, expected[i].keyPath);
    EXPECT_EQ(result.ops[i].valueName, expected[i].valueName);
    EXPECT_EQ(result.ops[i].line, expected[i].line);
  }
}

TEST(RegFile, RootNames) {
  const std::pair<std::wstring_view, std::optional<RegRootKey>> rows[] = {
      {L"HKEY_CLASSES_ROOT", RegRootKey::ClassesRoot}, {L"hkcr", RegRootKey::ClassesRoot},
      {L"Hkey_Current_User", RegRootKey::CurrentUser}, {L"HKCU", RegRootKey::CurrentUser},
      {L"HKEY_LOCAL_MACHINE", RegRootKey::LocalMachine}, {L"hkLM", RegRootKey::LocalMachine},
      {L"HKEY_USERS", RegRootKey::Users},                {L"HKU", RegRootKey::Users},
      {L"hkey_current_config", RegRootKey::CurrentConfig}, {L"HKCC", RegRootKey::CurrentConfig},
      {L"HKLM ", std::nullopt},                          {L"HKEY_LOCAL_MACHIN", std::nullopt},
      {L"HKEY_DYN_DATA", std::nullopt},                  {L"", std::nullopt},
  };
  for (const auto& [name, root] : rows) EXPECT_EQ(RegRootFromName(name), root) << std::string(name.begin(), name.end());
}

// One content in every accepted encoding. The hex(2) and hex(7) bytes are
// ANSI under "REGEDIT4" (0xE9 is é) and kept as written under version 5.
TEST(RegFile, EncodingsAndFormats) {
  const std::u16string body =
      u"\r\n[HKLM\\Spiele\\Ärger]\r\n\"Naïve\"=\"é%InstallDir%\"\r\n\"E\"=hex(2):41,e9,00\r\n\"M\"=hex(7):61,00,e9,00,00\r\n";
  const std::u16string v5 = u"Windows Registry Editor Version 5.00" + body;
  const std::u16string v4 = u"REGEDIT4" + body;
  Bytes latin1;  // v4 in Latin-1
  for (const char16_t c : v4) latin1.push_back(static_cast<std::uint8_t>(c));
  std::string utf8 = "Windows Registry Editor Version 5.00\r\n\r\n[HKLM\\Spiele\\\xC3\x84rger]\r\n\"Na\xC3\xAFve\"=\"\xC3\xA9%InstallDir%\"\r\n"
                     "\"E\"=hex(2):41,e9,00\r\n\"M\"=hex(7):61,00,e9,00,00\r\n";
  const struct Row {
    Bytes file;
    RegFileFormat format;
    Bytes expand, multi;
  } rows[] = {
      {V5(v5), RegFileFormat::Version5, {0x41, 0xe9, 0}, {0x61, 0, 0xe9, 0, 0}},
      {Narrow(utf8), RegFileFormat::Version5, {0x41, 0xe9, 0}, {0x61, 0, 0xe9, 0, 0}},
      {Join({0xEF, 0xBB, 0xBF}, Narrow(utf8)), RegFileFormat::Version5, {0x41, 0xe9, 0}, {0x61, 0, 0xe9, 0, 0}},
      {latin1, RegFileFormat::Regedit4, Utf16Z(u"Aé"), Utf16(u"a\0é\0\0"sv)},
      {V5(v4), RegFileFormat::Regedit4, Utf16Z(u"Aé"), Utf16(u"a\0é\0\0"sv)},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    const RegFileResult result = Parse(rows[i].file);
    ASSERT_FALSE(result.error) << result.error->line << ": " << result.error->reason;
    EXPECT_EQ(result.format, rows[i].format);
    ASSERT_EQ(result.ops.size(), 4u);
    EXPECT_EQ(result.ops[0].keyPath, L"Spiele\\Ärger");
    EXPECT_EQ(result.ops[1].valueName, L"Naïve");
    EXPECT_EQ(result.ops[1].data, Utf16Z(u"éC:\\Games\\Far"));
    EXPECT_EQ(result.ops[2].data, rows[i].expand);
    EXPECT_EQ(result.ops[3].data, rows[i].multi);
  }
  // Without a decoder a plain REGEDIT4 file cannot be read.
  const RegFileResult none = ParseRegFile(latin1, nullptr, kGame);
  ASSERT_TRUE(none.error);
  EXPECT_EQ(none.error->line, 1u);
}

TEST(RegFile, AnyFaultRefusesTheWholeFileAtItsLine) {
  const auto v5 = [](std::u16string_view lines) { return V5(kHeader + std::u16string(lines)); };
  const struct Row {
    Bytes file;
    std::size_t line;
    std::string reason;
  } rows[] = {
      {{}, 1, "bad header"},
      {V5(u"Windows Registry Editor Version 5.0\r\n"), 1, "bad header"},
      {Utf16(u"Windows Registry Editor Version 5.00\r\n"), 1, "bad header"},
      {Narrow("regedit4\r\n"), 1, "bad header"},
      {Join(V5(u"REGEDIT4\r\n\r\n"), {0x41}), 3, "UTF-16 text of an odd number of bytes"},
      {Narrow("Windows Registry Editor Version 5.00\n\n\"\xC3\n"), 3, "bad UTF-8"},
      {Narrow("Windows Registry Editor Version 5.00\n\xC0\xAF\n"), 2, "bad UTF-8"},
      {Narrow("Windows Registry Editor Version 5.00\n\xED\xA0\x80\n"), 2, "bad UTF-8"},
      {Narrow("REGEDIT4\r\n\r\n[HKLM\\\x81]"), 3, "text not valid in the ANSI code page"},
      {Narrow("REGEDIT4\n[HKLM\\a]\n\n\"a\"=hex(2):41,\\\n 81,00\n"), 4, "text not valid in the ANSI code page"},
      {V5(u"Windows Registry Editor Version 5.00\r\n[HKLM\\a]\r\n\"a\"=\"\0\"\r\n"sv), 3, "NUL character"},
      {V5(u"Windows Registry Editor Version 5.00\r\n\"a\"=\"b\"\r\n"), 2, "value before any key"},
      {v5(u"[-HKLM\\a]\r\n@=\"b\""), 5, "value below a deleted key"},
      {v5(u"[HKEY_LOCAL_MACHIN\\a]"), 4, "unknown root key"},
      {v5(u"[]"), 4, "unknown root key"},
      {v5(u"[HKLM\\a\\\\b]"), 4, "empty part in the key path"},
      {v5(u"[HKLM\\]"), 4, "empty part in the key path"},
      {v5(u"[HKLM\\a\\]"), 4, "empty part in the key path"},
      {v5(u"[-hkcu]"), 4, "a root key cannot be deleted"},
      {v5(u"[HKLM\\a"), 4, "key line without ']'"},
      {v5(u"[HKLM\\a] ;x"), 4, "text after ']'"},
      {v5(u"\r\n\"a\"=\"b"), 5, "unterminated quote"},
      {v5(u"\"a\\\"=\"b\""), 4, "missing '='"},
      {v5(u"\"a\"=\"b\\\""), 4, "unterminated quote"},
      {v5(u"\"a\"=\"C:\\Games\""), 4, "bad escape in quotes"},
      {v5(u"\"a\" \"b\""), 4, "missing '='"},
      {v5(u"@"), 4, "missing '='"},
      {v5(u"\"a\"=qword:1"), 4, "unknown value kind"},
      {v5(u"\"a\"="), 4, "unknown value kind"},
      {v5(u"\"a\"=dword:123456789"), 4, "dword of more than 8 hex digits"},
      {v5(u"\"a\"=dword:"), 4, "dword without hex digits"},
      {v5(u"\"a\"=dword:12g"), 4, "bad dword"},
      {v5(u"\"a\"=hex():00"), 4, "bad type in hex(n)"},
      {v5(u"\"a\"=hex(2:00"), 4, "bad type in hex(n)"},
      {v5(u"\"a\"=hex(2)00"), 4, "bad type in hex(n)"},
      {v5(u"\"a\"=hex(123456789):00"), 4, "bad type in hex(n)"},
      {v5(u"\"a\"=hex:0g"), 4, "bad hex byte"},
      {v5(u"\"a\"=hex:123"), 4, "bad hex byte"},
      {v5(u"\"a\"=hex:01 02"), 4, "bad hex byte"},
      {v5(u"\"a\"=hex:01,,02"), 4, "bad hex byte"},
      {v5(u"\"a\"=hex:01,\\ x"), 4, "bad hex byte"},
      {v5(u"\"a\"=hex:01,"), 4, "hex list ends with ','"},
      {v5(u"\"a\"=hex:01,\\\r\n\r\n"), 5, "hex list ends with ','"},
      {v5(u"\"a\"=hex:01,\\\r\n02,\\\r\n0\\\r\n1"), 7, "bad hex byte"},
      {v5(u"\"a\"=hex:01,\\"), 4, "hex list continued past the end of the file"},
      {v5(u"\"a\"=\"b\" x"), 4, "text after the value"},
      {v5(u"\"a\"=-x"), 4, "text after the value"},
      {v5(u"\"a\"=\"b\"\r\nHKLM\\a"), 5, "not a key, value or comment"},
  };
  for (const Row& row : rows) {
    const RegFileResult result = Parse(row.file);
    ASSERT_TRUE(result.error) << row.reason;
    EXPECT_EQ(result.error->line, row.line) << row.reason;
    EXPECT_EQ(result.error->reason, row.reason) << row.line;
    EXPECT_TRUE(result.ops.empty()) << row.reason;
  }
}

TEST(RegFile, FiftyThousandValues) {
  std::u16string text = kHeader;
  for (int i = 0; i < 50000; ++i) text += u"\"v" + Wide(std::to_string(i)) + u"\"=dword:" + Wide(std::to_string(i)) + u"\r\n";
  const RegFileResult result = Parse(V5(text));
  ASSERT_FALSE(result.error);
  ASSERT_EQ(result.ops.size(), 50001u);
  EXPECT_EQ(result.ops.back().valueName, L"v49999");
  EXPECT_EQ(result.ops.back().data, (Bytes{0x99, 0x99, 0x04, 0x00}));
  EXPECT_EQ(result.ops.back().line, 50003u);
}
