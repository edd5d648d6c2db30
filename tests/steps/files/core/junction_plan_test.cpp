#include "steps/files/core/junction_plan.h"

#include <gtest/gtest.h>

using vorlan::ChooseJunctionVariant;
using vorlan::JunctionVariant;
using vorlan::KeepsExistingLink;
using vorlan::PackageCommandLine;

TEST(JunctionVariantChoice, ClientTypeTwoOrBothDrivesProtectedReadJunction) {
  // Every combination of: client type unreadable/2/other, drive C, drive E.
  const std::optional<unsigned long> types[] = {std::nullopt, 2ul, 0ul, 1ul, 3ul};
  for (const auto& type : types) {
    for (int c = 0; c < 2; ++c) {
      for (int e = 0; e < 2; ++e) {
        const bool expectJunction = (type && *type == 2) || (c && e);
        EXPECT_EQ(ChooseJunctionVariant(type, c, e),
                  expectJunction ? JunctionVariant::Junction : JunctionVariant::JunctionOption)
            << "type " << (type ? static_cast<long>(*type) : -1) << " C " << c << " E " << e;
      }
    }
  }
}

TEST(JunctionVariantChoice, LoggedTexts) {
  EXPECT_EQ(vorlan::VariantLogText(JunctionVariant::Junction),
            L"JunctionOption: CVorlanDlg::ProcessJunctionFileMgr. 无盘普通用户或有盘还原用户，采用[Junction]");
  EXPECT_EQ(vorlan::VariantLogText(JunctionVariant::JunctionOption),
            L"JunctionOption: CVorlanDlg::ProcessJunctionFileMgr. 无盘超管用户或有盘非还原用户，采用[JunctionOption]");
}

TEST(PackageRun, CommandLineByMsiValue) {
  EXPECT_EQ(PackageCommandLine(L"X:\\g\\setup.exe", L"", 0), L"X:\\g\\setup.exe");
  EXPECT_EQ(PackageCommandLine(L"X:\\g\\setup.exe", L"/s /d=C:\\x", 0), L"X:\\g\\setup.exe /s /d=C:\\x");
  EXPECT_EQ(PackageCommandLine(L"X:\\g\\dx 9.msi", L"", 1), L"MSIEXEC.EXE /i \"X:\\g\\dx 9.msi\"");
  EXPECT_EQ(PackageCommandLine(L"X:\\g\\dx.msi", L"/qn", 1), L"MSIEXEC.EXE /i \"X:\\g\\dx.msi\" /qn");
  // Other values run nothing, not even the parameters on their own.
  EXPECT_EQ(PackageCommandLine(L"X:\\g\\dx.msi", L"", 2), L"");
  EXPECT_EQ(PackageCommandLine(L"X:\\g\\dx.msi", L"/qn", 2), L"");
  EXPECT_EQ(PackageCommandLine(L"X:\\g\\dx.msi", L"/qn", -1), L"");
}

TEST(JunctionCreation, WhatIsAlreadyAtTheLinkIsKeptOrReplacedByMode) {
  // Option 1 keeps a plain folder (and replaces a junction), option 3
  // replaces a plain folder (and keeps a junction), option 0 keeps both.
  EXPECT_TRUE(KeepsExistingLink(false, 0));
  EXPECT_TRUE(KeepsExistingLink(true, 0));
  EXPECT_TRUE(KeepsExistingLink(false, 1));
  EXPECT_FALSE(KeepsExistingLink(true, 1));
  EXPECT_FALSE(KeepsExistingLink(false, 3));
  EXPECT_TRUE(KeepsExistingLink(true, 3));
}
