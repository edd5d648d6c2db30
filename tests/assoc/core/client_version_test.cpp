#include "assoc/core/client_version.h"

#include <gtest/gtest.h>

using vorlan::assoc::AsciiToInt;
using vorlan::assoc::IsClientNewerThan8;

TEST(ClientVersion, OnlyMajorAndMinorOfADottedVersionDecide) {
  struct Case {
    const char* version;
    bool newer;
  };
  const Case cases[] = {
      {"8.1.0", true},      {"9.0.0", true},       {"10.0.0", true},     {"8.1.", true},
      {"8.0.1.2", false},   {"8.0.9999", false},   {"8.0.0", false},     {"7.99.0", false},
      {"8.1", false},       {"9", false},          {"", false},          {"..", false},
      {"8..", false},       {"9..", true},         {" 9.0.0", true},     {"8.1beta.0", true},
      {"v9.0.0", false},    {"8.-1.0", false},     {"8.2147483647.0", true},
      // A negative major number is sign-extended and then compared unsigned:
      // the rule counts it as newer.
      {"-1.0.0", true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsClientNewerThan8(c.version), c.newer) << '"' << c.version << '"';
}

TEST(ClientVersion, NumbersAreReadAsAtoiReadsThem) {
  EXPECT_EQ(AsciiToInt("42"), 42);
  EXPECT_EQ(AsciiToInt("  -17x"), -17);
  EXPECT_EQ(AsciiToInt("+8"), 8);
  EXPECT_EQ(AsciiToInt(""), 0);
  EXPECT_EQ(AsciiToInt("abc"), 0);
  EXPECT_EQ(AsciiToInt("2147483647"), 2147483647);
  EXPECT_EQ(AsciiToInt("99999999999999999999999"), 2147483647);
  EXPECT_EQ(AsciiToInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(AsciiToInt("-99999999999999999999999"), -2147483647 - 1);
  // Overflowing majors are clamped, not wrapped: still newer.
  EXPECT_TRUE(IsClientNewerThan8("4294967304.0.0"));
}
