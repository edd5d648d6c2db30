#include "pkg_reg/tool/list_file.h"

#include <gtest/gtest.h>

using namespace vorlan::pkgreg;
using Bytes = std::vector<std::uint8_t>;

namespace {

std::vector<CPkgRegEntry> Parse(std::string_view text) {
  ListFileError error;
  auto entries = ParseListFile(text, error);
  EXPECT_TRUE(entries.has_value()) << "line " << error.line << ": " << error.message;
  return entries.value_or(std::vector<CPkgRegEntry>{});
}

ListFileError ErrorOf(std::string_view text) {
  ListFileError error;
  EXPECT_FALSE(ParseListFile(text, error).has_value()) << text;
  return error;
}

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

}  // namespace

TEST(ListFile, ParsesEveryFieldForm) {
  const auto entries = Parse(
      "# a comment\n"
      "\n"
      "0\tREG_SZ\tHKLM\\Software\\My Game\\Path\ttextz:%InstallDir%\\bin\r\n"
      "1\t1\tHKLM\\Software\\My Game\ttext:default text\n"
      "0\tREG_DWORD\tHKCU\\Software\\A\\Count\tdword:0x12345678\n"
      "0\tREG_DWORD\tHKCU\\Software\\A\\Dec\tdword:10\n"
      "255\t0x20\thex:48 4b 4c 4d 00\thex:01 02FF\n"
      "0\tREG_BINARY\tHKCU\\Software\\A\\Empty\thex:");
  ASSERT_EQ(entries.size(), 6u);
  EXPECT_EQ(entries[0].Flag(), 0);
  EXPECT_EQ(entries[0].Type(), 1u);
  EXPECT_EQ(entries[0].Name(), B("HKLM\\Software\\My Game\\Path"));
  EXPECT_EQ(entries[0].Data(), B(std::string_view("%InstallDir%\\bin\0", 17)));
  EXPECT_EQ(entries[1].Flag(), 1);
  EXPECT_EQ(entries[1].Data(), B("default text"));
  EXPECT_EQ(entries[2].Type(), 4u);
  EXPECT_EQ(entries[2].Data(), (Bytes{0x78, 0x56, 0x34, 0x12}));
  EXPECT_EQ(entries[3].Data(), (Bytes{10, 0, 0, 0}));
  EXPECT_EQ(entries[4].Flag(), 255);
  EXPECT_EQ(entries[4].Type(), 0x20u);
  EXPECT_EQ(entries[4].Name(), (Bytes{'H', 'K', 'L', 'M', 0}));
  EXPECT_EQ(entries[4].Data(), (Bytes{1, 2, 0xFF}));
  EXPECT_EQ(entries[5].Type(), 3u);
  EXPECT_TRUE(entries[5].Data().empty());
}

TEST(ListFile, ErrorsNameTheirLine) {
  EXPECT_EQ(ErrorOf("# c\n0\tREG_SZ\tHKLM\\A\\B\n").line, 2);
  EXPECT_EQ(ErrorOf("0 REG_SZ HKLM\\A\\B text:x").message,
            "expected 4 tab-separated fields (flag, type, name, data), found 1");
  EXPECT_EQ(ErrorOf("256\tREG_SZ\tHKLM\\A\\B\ttext:x").message, "flag must be a number from 0 to 255");
  EXPECT_EQ(ErrorOf("0\tREG_SZX\tHKLM\\A\\B\ttext:x").message, "unknown type \"REG_SZX\"");
  EXPECT_EQ(ErrorOf("0\t1\thex:4\ttext:x").message, "bad hex name");
  EXPECT_EQ(ErrorOf("0\t1\tHKLM\\A\\B\tx").message, "data must begin with text:, textz:, hex: or dword:");
  EXPECT_EQ(ErrorOf("0\t1\tHKLM\\A\\B\thex:0g").message, "bad hex data");
  EXPECT_EQ(ErrorOf("0\t4\tHKLM\\A\\B\tdword:0x100000000").message, "bad dword value");
  EXPECT_EQ(ErrorOf("0\t1\tHKLM\\A\\B\ttext:a\tb").line, 1);
}

TEST(ListFile, FormattedEntriesParseBackTheSame) {
  CPkgReg reg({CPkgRegEntry(0, 1, B("HKLM\\Software\\A\\Path"), B(std::string_view("%InstallDir%\0", 13))),
               CPkgRegEntry(0, 1, B("HKLM\\Software\\A\\Plain"), B("no terminator")),
               CPkgRegEntry(0, 1, B("HKLM\\Software\\A\\Tab"), B("a\tb")),
               CPkgRegEntry(0, 7, B("HKLM\\Software\\A\\Multi"), B(std::string_view("a\0b\0\0", 5))),
               CPkgRegEntry(1, 4, B("HKCU\\Software\\A"), Bytes{1, 0, 0, 0}),
               CPkgRegEntry(0, 4, B("HKCU\\Software\\A\\Short"), Bytes{1, 0}),
               CPkgRegEntry(7, 99, B("hex:not a root"), Bytes{}),
               CPkgRegEntry(0, 3, Bytes{'H', 'K', 'L', 'M', '\n', 0xC4, 0xE3}, Bytes{0xC4, 0xE3}),
               CPkgRegEntry(0, 1, B("HKLM\\\xD3\xCE\xCF\xB7\\V"), B("\xD3\xCE\xCF\xB7"))});
  ASSERT_TRUE(reg.ToFileBytes());
  const std::string text = FormatListFile(reg);
  EXPECT_EQ(
      text.substr(0, text.find('\n')), "# 9 entries, checksum 0x" + [&] {
        char hex[9];
        std::snprintf(hex, sizeof(hex), "%08x", static_cast<unsigned>(reg.Checksum()));
        return std::string(hex);
      }());
  EXPECT_NE(text.find("\n0\tREG_SZ\tHKLM\\Software\\A\\Path\ttextz:%InstallDir%\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n1\tREG_DWORD\tHKCU\\Software\\A\tdword:0x00000001\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n0\tREG_SZ\tHKLM\\Software\\A\\Tab\thex:61 09 62\n"), std::string::npos) << text;

  const auto back = Parse(text);
  ASSERT_EQ(back.size(), reg.Entries().size());
  for (std::size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].Flag(), reg.Entries()[i].Flag()) << i;
    EXPECT_EQ(back[i].Type(), reg.Entries()[i].Type()) << i;
    EXPECT_EQ(back[i].Name(), reg.Entries()[i].Name()) << i;
    EXPECT_EQ(back[i].Data(), reg.Entries()[i].Data()) << i;
  }
}
