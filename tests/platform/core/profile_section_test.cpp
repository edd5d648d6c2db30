// Looking single values up in a section listing as the private-profile calls
// give it; whatever our rules cannot settle goes back to the system.

#include "platform/core/profile_section.h"

#include <gtest/gtest.h>

#include <string>

using vorlan::profile::Answer;
using namespace std::string_literals;

namespace {

struct Lookup {
  const wchar_t* key;
  Answer answer;
  const wchar_t* value;  // when Found
};

TEST(ProfileSection, SingleValuesAsTheSystemWouldGiveThem) {
  const std::wstring list =
      L"IsShow=1\0"
      L"  Path =  C:\\游戏\\魔兽  \0"
      L"Empty=\0"
      L"Bare\0"
      L"Dup=first\0"
      L"dup=second\0"
      L"Quoted=\"a b\"\0"
      L"Single='x'\0"
      L"Eq=a=b\0"
      L"\0"s;
  const auto entries = vorlan::profile::ParseSectionList(list);
  const Lookup lookups[] = {
      {L"IsShow", Answer::Found, L"1"},      {L"ISSHOW", Answer::Found, L"1"},
      {L" isshow\t", Answer::Found, L"1"},   {L"Path", Answer::Found, L"C:\\游戏\\魔兽"},
      {L"Empty", Answer::Found, L""},        {L"Bare", Answer::Found, L""},
      {L"Dup", Answer::Found, L"first"},     {L"Eq", Answer::Found, L"a=b"},
      {L"Quoted", Answer::AskSystem, L""},   {L"Single", Answer::AskSystem, L""},
      {L"Missing", Answer::Missing, L""},    {L"", Answer::AskSystem, L""},
      {L"路径", Answer::AskSystem, L""},     {L";Comment", Answer::AskSystem, L""},
  };
  for (const Lookup& l : lookups) {
    std::wstring value = L"unchanged";
    EXPECT_EQ(vorlan::profile::FindValue(entries, l.key, value), l.answer) << testing::PrintToString(std::wstring(l.key));
    if (l.answer == Answer::Found) {
      EXPECT_EQ(value, l.value);
    }
  }
}

TEST(ProfileSection, KeysOrEndsOutsideOurRulesGoToTheSystem) {
  // A key outside printable ASCII before the match might fold to it.
  auto entries = vorlan::profile::ParseSectionList(L"Ｋey=1\0Key=2\0\0"s);
  std::wstring value;
  EXPECT_EQ(vorlan::profile::FindValue(entries, L"Key", value), Answer::AskSystem);
  // After the match it does not matter.
  entries = vorlan::profile::ParseSectionList(L"Key=2\0Ｋey=1\0\0"s);
  EXPECT_EQ(vorlan::profile::FindValue(entries, L"Key", value), Answer::Found);
  // Whitespace other than spaces and tabs at an end.
  for (const std::wstring& line : {L"Key=\x3000v"s, L"Key=v\x0B"s, L"Key=v\x1A"s, L"\xA0Key=v"s}) {
    entries = vorlan::profile::ParseSectionList(line + L'\0');
    EXPECT_EQ(vorlan::profile::FindValue(entries, L"Key", value), Answer::AskSystem);
  }
}

TEST(ProfileSection, SectionsFromTheNameList) {
  const std::wstring names = L"Main\0ProcessMgr_0\0\0"s;
  EXPECT_EQ(vorlan::profile::FindSection(names, L"main"), Answer::Found);
  EXPECT_EQ(vorlan::profile::FindSection(names, L" ProcessMgr_0 "), Answer::Found);
  EXPECT_EQ(vorlan::profile::FindSection(names, L"Map"), Answer::Missing);
  EXPECT_EQ(vorlan::profile::FindSection(L"\0"s, L"Map"), Answer::Missing);
  // Names we cannot compare by our rules leave it to the system.
  EXPECT_EQ(vorlan::profile::FindSection(L"游戏\0\0"s, L"Map"), Answer::AskSystem);
  EXPECT_EQ(vorlan::profile::FindSection(L" Map \0\0"s, L"Map"), Answer::AskSystem);
  EXPECT_EQ(vorlan::profile::FindSection(L"游戏\0Map\0\0"s, L"Map"), Answer::Found);
  EXPECT_EQ(vorlan::profile::FindSection(names, L"游戏"), Answer::AskSystem);
}

TEST(ProfileSection, OnlyPlainDecimalsAreOurs) {
  EXPECT_EQ(vorlan::profile::PlainDecimal(L"0"), 0);
  EXPECT_EQ(vorlan::profile::PlainDecimal(L"007"), 7);
  EXPECT_EQ(vorlan::profile::PlainDecimal(L"123456789"), 123456789);
  for (const wchar_t* other : {L"", L"-1", L"+1", L"0x10", L"12abc", L"1234567890", L"１"})
    EXPECT_FALSE(vorlan::profile::PlainDecimal(other).has_value()) << testing::PrintToString(std::wstring(other));
}

}  // namespace
