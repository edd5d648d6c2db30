#include "assoc/core/package_info.h"

#include <gtest/gtest.h>

using vorlan::assoc::AppendServiceRecords;
using vorlan::assoc::CutPackagePath;

namespace {

// Byte-for-character widening; enough for ASCII paths.
std::wstring Widen(std::string_view text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

TEST(PackagePath, CutBackToTheFolderThatHoldsThePackage) {
  EXPECT_EQ(CutPackagePath(L"D:\\Games\\Pkg\\Foo\\"), L"D:\\Games\\Pkg");
  EXPECT_EQ(CutPackagePath(L"D:\\Games\\Pkg\\Foo"), L"D:\\Games\\Pkg");
  EXPECT_EQ(CutPackagePath(L"D:\\Games\\Pkg\\Foo\\\\\\"), L"D:\\Games\\Pkg");
  EXPECT_EQ(CutPackagePath(L"C:\\Pkg"), L"C:");
  EXPECT_EQ(CutPackagePath(L"C:\\"), L"");
  EXPECT_EQ(CutPackagePath(L"Pkg"), L"");
  EXPECT_EQ(CutPackagePath(L"\\\\"), L"");
  EXPECT_EQ(CutPackagePath(L""), L"");
  EXPECT_EQ(CutPackagePath(L"\\\\server\\share\\Pkg"), L"\\\\server\\share");
  EXPECT_EQ(CutPackagePath(L"D:\\游戏\\网络游戏\\剑侠\\"), L"D:\\游戏\\网络游戏");
}

TEST(PackagePath, ReplyRecordsAreAppendedInIdOrderWithCutPaths) {
  Json::CJsonQuerayPkgListInfoAck reply;
  reply.pkgInfo[40] = {40, "E:\\Pkgs\\Forty\\", true, false};
  reply.pkgInfo[5] = {5, "C:\\Five", false, true};
  reply.pkgInfo[9] = {9, "NoSlash", true, true};

  std::vector<PackageInfo> out{{1, L"kept", true, true}};
  std::vector<std::string> converted;
  AppendServiceRecords(
      reply,
      [&](std::string_view text) {
        converted.emplace_back(text);
        return Widen(text);
      },
      out);

  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(out[0], (PackageInfo{1, L"kept", true, true}));
  EXPECT_EQ(out[1], (PackageInfo{5, L"C:", false, true}));
  EXPECT_EQ(out[2], (PackageInfo{9, L"", true, true}));
  EXPECT_EQ(out[3], (PackageInfo{40, L"E:\\Pkgs", true, false}));
  // The narrow path is converted before it is cut.
  EXPECT_EQ(converted, (std::vector<std::string>{"C:\\Five", "NoSlash", "E:\\Pkgs\\Forty\\"}));

  Json::CJsonQuerayPkgListInfoAck empty;
  AppendServiceRecords(empty, Widen, out);
  EXPECT_EQ(out.size(), 4u);
}
