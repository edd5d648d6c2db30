#include "steps/registry/core/reg_value_entry.h"

#include <gtest/gtest.h>

using namespace vorlan;

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(SplitRegKey, RootAndPathOrNothing) {
  const struct {
    const wchar_t* key;
    bool ok;
    RegRootKey root;
    const wchar_t* path;
  } cases[] = {
      {L"HKEY_LOCAL_MACHINE\\Software\\Game", true, RegRootKey::LocalMachine, L"Software\\Game"},
      {L"hkcu\\Software", true, RegRootKey::CurrentUser, L"Software"},
      {L"HKCR\\.game", true, RegRootKey::ClassesRoot, L".game"},
      {L"HKEY_LOCAL_MACHINE", false, {}, L""},
      {L"HKEY_LOCAL_MACHINE\\", false, {}, L""},
      {L"HKLM\\Software\\", false, {}, L""},
      {L"HKLM\\\\Software", false, {}, L""},
      {L"HKLM\\a\\\\b", false, {}, L""},
      {L"HKEY_NOWHERE\\Software", false, {}, L""},
      {L"Software\\Game", false, {}, L""},
      {L"", false, {}, L""},
  };
  for (const auto& c : cases) {
    const auto split = SplitRegKey(c.key);
    ASSERT_EQ(split.has_value(), c.ok) << c.key;
    if (!c.ok) continue;
    EXPECT_EQ(split->first, c.root) << c.key;
    EXPECT_EQ(split->second, c.path) << c.key;
  }
}

TEST(MakeRegValueEntry, TypesAndTheirData) {
  const struct {
    const wchar_t* type;
    const wchar_t* data;
    std::uint32_t regType;
    Bytes bytes;
  } cases[] = {
      {L"", L"AB", 1, {'A', 0, 'B', 0, 0, 0}},
      {L"String", L"", 1, {0, 0}},
      {L"expand", L"%A%", 2, {'%', 0, 'A', 0, '%', 0, 0, 0}},
      {L"dword", L"42", 4, {42, 0, 0, 0}},
      {L"DWORD", L" 4294967295 ", 4, {0xFF, 0xFF, 0xFF, 0xFF}},
      {L"dword", L"0x1A2b", 4, {0x2b, 0x1A, 0, 0}},
      {L"dword", L"0", 4, {0, 0, 0, 0}},
      {L"binary", L"01,ab FF\t3", 3, {0x01, 0xAB, 0xFF, 0x03}},
      {L"binary", L"", 3, {}},
  };
  for (const auto& c : cases) {
    const RegValueEntryResult r = MakeRegValueEntry(L"HKLM\\Software\\G", L"Serial", c.type, c.data);
    ASSERT_TRUE(r.entry) << c.type << " " << c.data << ": " << r.error;
    EXPECT_EQ(r.entry->type, c.regType) << c.type;
    EXPECT_EQ(r.entry->data, c.bytes) << c.type << " " << c.data;
    EXPECT_EQ(r.entry->root, RegRootKey::LocalMachine);
    EXPECT_EQ(r.entry->keyPath, L"Software\\G");
    EXPECT_EQ(r.entry->name, L"Serial");
  }
}

TEST(MakeRegValueEntry, RefusedEntriesSayWhy) {
  const std::wstring longText(16384, L'x');
  const struct {
    std::wstring key, name, type, data;
    const char* error;
  } cases[] = {
      {L"HKXX\\S", L"n", L"", L"d", "bad key (a root and a path below it)"},
      {L"HKLM", L"n", L"", L"d", "bad key (a root and a path below it)"},
      {L"HKLM\\S", L"n", L"qword", L"1", "unknown type"},
      {L"HKLM\\S", L"n", L"dword", L"", "bad dword"},
      {L"HKLM\\S", L"n", L"dword", L"4294967296", "bad dword"},
      {L"HKLM\\S", L"n", L"dword", L"0x123456789", "bad dword"},
      {L"HKLM\\S", L"n", L"dword", L"0x", "bad dword"},
      {L"HKLM\\S", L"n", L"dword", L"-1", "bad dword"},
      {L"HKLM\\S", L"n", L"dword", L"12a", "bad dword"},
      {L"HKLM\\S", L"n", L"binary", L"123", "bad binary data"},
      {L"HKLM\\S", L"n", L"binary", L"0g", "bad binary data"},
      {L"HKLM\\S", longText, L"", L"d", "value name too long"},
      {L"HKLM\\S", L"n", L"", longText, "string too long"},
  };
  for (const auto& c : cases) {
    const RegValueEntryResult r = MakeRegValueEntry(c.key, c.name, c.type, c.data);
    EXPECT_FALSE(r.entry) << c.error;
    EXPECT_EQ(r.error, c.error);
  }
}

TEST(MakeRegValueEntry, AStringOf300CharactersIsKeptWhole) {
  const RegValueEntryResult r = MakeRegValueEntry(L"HKCU\\S", std::wstring(300, L'n'), L"", std::wstring(300, L'v'));
  ASSERT_TRUE(r.entry);
  EXPECT_EQ(r.entry->data.size(), 602u);
}

TEST(GamePathValue, SubPathAndTrailingBackslash) {
  const struct {
    const wchar_t* dir;
    const wchar_t* sub;
    bool trailing;
    const wchar_t* value;
  } cases[] = {
      {L"D:\\Games\\X", L"", false, L"D:\\Games\\X"},
      {L"D:\\Games\\X", L"", true, L"D:\\Games\\X\\"},
      {L"D:\\Games\\X\\", L"", false, L"D:\\Games\\X"},
      {L"D:\\Games\\X", L"bin", false, L"D:\\Games\\X\\bin"},
      {L"D:\\Games\\X", L"\\bin\\x64\\", true, L"D:\\Games\\X\\bin\\x64\\"},
      {L"X:", L"", false, L"X:"},
      {L"X:", L"", true, L"X:\\"},
      {L"X:", L"bin", false, L"X:\\bin"},
  };
  for (const auto& c : cases) EXPECT_EQ(GamePathValue(c.dir, c.sub, c.trailing), c.value) << c.dir << " " << c.sub;
}

}  // namespace
