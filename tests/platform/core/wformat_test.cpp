#include "platform/core/wformat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

using vorlan::fmt::Format;
using vorlan::fmt::FormatTo;
using vorlan::fmt::RuntimeFormat;

TEST(WFormat, WideStringsInEveryForm) {
  const wchar_t* p = L"ptr";
  std::wstring s = L"str";
  std::wstring_view v = L"view";
  wchar_t arr[16] = L"arr";
  EXPECT_EQ(Format(L"%s|%s|%s|%s|%s", p, s, v, arr, L"lit"), L"ptr|str|view|arr|lit");
  const wchar_t* none = nullptr;
  EXPECT_EQ(Format(L"[%s]", none), L"[(null)]");
  EXPECT_EQ(Format(L"[%5s][%-5s][%.2s]", L"ab", L"ab", L"abcdef"), L"[   ab][ab   ][ab]");
}

TEST(WFormat, ChineseTextAndTrailingNewlinePassThrough) {
  EXPECT_EQ(Format(L"CVorlanDlg::ProcessManage.已执行复制文件 %d\n", 15),
            L"CVorlanDlg::ProcessManage.已执行复制文件 15\n");
  EXPECT_EQ(Format(L"InstallMark：%u, NickName: %s", 1u, L"运行库"), L"InstallMark：1, NickName: 运行库");
}

TEST(WFormat, IntegersBehaveAsOn32BitPrintf) {
  EXPECT_EQ(Format(L"%d %d %i", 0, -17, 2147483647), L"0 -17 2147483647");
  EXPECT_EQ(Format(L"%u", -1), L"4294967295");           // an int shown with %u
  EXPECT_EQ(Format(L"%d", 4294967295u), L"-1");          // a 32-bit unsigned shown with %d
  EXPECT_EQ(Format(L"%u", std::uint64_t{5000000000}), L"5000000000");
  EXPECT_EQ(Format(L"%d", std::int64_t{-5000000000}), L"-5000000000");
  EXPECT_EQ(Format(L"%x %X %#x %o", 255, 255, 255, 8), L"ff FF 0xff 10");
  EXPECT_EQ(Format(L"%05d|%-4d|%+d|% d|%.3d", 42, 7, 3, 3, 5), L"00042|7   |+3| 3|005");
  EXPECT_EQ(Format(L"%lu %ld %I64u %lld", 1u, 2, std::uint64_t{3}, std::int64_t{4}), L"1 2 3 4");
  EXPECT_EQ(Format(L"%d %d", true, false), L"1 0");
}

TEST(WFormat, IntegerFlagsWidthsAndPrecisionsMatchTheCLibrary) {
  const int values[] = {0, 1, -1, 8, 255, -4096, 12345678, 2147483647, -2147483647 - 1};
  const char* formats[] = {"%d", "%8d", "%-8d|", "%08d", "%+.5d", "% 10.3d", "%.0d", "%x", "%#x", "%#10.6X",
                           "%o", "%#o", "%#.4o", "%u", "%012u"};
  for (const char* f : formats) {
    for (int v : values) {
      char expected[64];
      std::snprintf(expected, sizeof(expected), f, v);
      const std::string narrow(f);
      const std::wstring wide(narrow.begin(), narrow.end());
      EXPECT_EQ(Format<int>(RuntimeFormat{wide.c_str()}, v),
                std::wstring(expected, expected + std::strlen(expected)))
          << f << " " << v;
    }
  }
  EXPECT_EQ(Format(L"%#llo", ~std::uint64_t{0}), L"01777777777777777777777");
  EXPECT_EQ(Format(L"%#.0o", 0), L"");  // the Windows C library's answer (glibc's is "0")
  EXPECT_EQ(Format(L"%p", reinterpret_cast<void*>(std::uintptr_t{0xBEEF})),
            std::wstring(sizeof(void*) * 2 - 4, L'0') + L"BEEF");
}

TEST(WFormat, CharactersPercentAndFloats) {
  EXPECT_EQ(Format(L"%c%c", L'中', 65), L"中A");
  EXPECT_EQ(Format(L"100%%"), L"100%");
  EXPECT_EQ(Format(L"%.2f", 3.14159), L"3.14");
}

TEST(WFormat, BoundedOutputIsCutAndTerminated) {
  wchar_t buf[8];
  std::size_t n = FormatTo(buf, 8, L"%s-%d", L"abcdef", 12345);
  EXPECT_EQ(n, 7u);
  EXPECT_EQ(std::wstring(buf), L"abcdef-");

  std::wstring big(40000, L'x');
  static wchar_t large[32768];
  n = FormatTo(large, 32768, L"%s", big);
  EXPECT_EQ(n, 32767u);
  EXPECT_EQ(std::wstring(large).size(), 32767u);

  wchar_t one[1] = {L'q'};
  EXPECT_EQ(FormatTo(one, 1, L"abc"), 0u);
  EXPECT_EQ(one[0], L'\0');
}

TEST(WFormat, RuntimeFormatsNeverMisreadArguments) {
  EXPECT_EQ(Format<int>(RuntimeFormat{L"a %d b"}, 5), L"a 5 b");
  EXPECT_EQ(Format<int>(RuntimeFormat{L"%s"}, 5), L"<?>");            // mismatch is visible, not a crash
  EXPECT_EQ(Format<>(RuntimeFormat{L"%d and %s"}), L"%d and %s");     // missing arguments print as written
  EXPECT_EQ(Format<int>(RuntimeFormat{L"tail %"}, 1), L"tail %");
  EXPECT_EQ(Format<int>(RuntimeFormat{L"%q %d"}, 1), L"%q 1");
}

// Literal formats are checked at compile time: the following would not build.
//   Format(L"%s", 5);          // a number for %s
//   Format(L"%d", L"text");    // a text for %d
//   Format(L"%d %d", 1);       // too few arguments
//   Format(L"%s", "narrow");   // narrow texts are not accepted
template <class... A>
concept Formattable = requires(A... a) { Format<A...>(L"%s", a...); };
static_assert(Formattable<const wchar_t*>);
