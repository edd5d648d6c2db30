// Step "AssocGamePathSet" driven with the option file alone and a client
// service that answers from a table.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "assoc_scenario.h"
#include "steps/assoc/win/assoc_game_path_set_step.h"
#include "vtest/files.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;
using vorlan::steps::RunAssocGamePathSetStep;

namespace {

const std::wstring kKey = L"Software\\VorlanAssocTest\\GamePath";

std::wstring Ini(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t value[512] = {};
  ::GetPrivateProfileStringW(section, key, L"<none>", value, 512, file.c_str());
  return value;
}

}  // namespace

TEST(AssocGamePathSetStep, WritesEachPackagePathWhereTheEntryNamesIt) {
  const std::wstring dir = TestFolderFor();
  RemoveTree(dir);
  ASSERT_TRUE(MakeDirectories(dir));
  DeleteTree(HKEY_CURRENT_USER, kKey);
  const std::wstring options = dir + L"\\VorlanCfg.ini";
  ASSERT_TRUE(WriteBytes(options, ToAnsi(
      L"[AssocGamePathSet]\r\nNum=6\r\n"
      // A registry value (default type), the path alone.
      L"[AssocGamePathSet0]\r\nPkgId=301\r\nRoot=HKCU\r\nKey=" + kKey + L"\r\nName=Client\r\n"
      // The key's default value, the path inside a text.
      L"[AssocGamePathSet1]\r\nPkgId=302\r\nRoot=hkcu\r\nKey=" + kKey + L"\r\nValue=\"%PkgPath%\\run.exe\" -q\r\n"
      // An INI key in the default file beside the option file.
      L"[AssocGamePathSet2]\r\nPkgId=301\r\nType=1\r\nSection=Platform\r\nKey=Root\r\n"
      // An INI key in a file of its own; a package the service does not know.
      L"[AssocGamePathSet3]\r\nPkgId=303\r\nType=1\r\nFile=tool\\p.ini\r\nSection=S\r\nKey=K\r\n"
      // No package id; an unknown root.
      L"[AssocGamePathSet4]\r\nPkgId=\r\nRoot=HKCU\r\nKey=" + kKey + L"\r\nName=Nothing\r\n"
      L"[AssocGamePathSet5]\r\nPkgId=302\r\nRoot=HKU\r\nKey=" + kKey + L"\r\nName=Nothing\r\n")));
  ASSERT_TRUE(MakeDirectories(dir + L"\\tool"));

  assoctest::TablePackages service;
  service.paths = {{301, L"E:\\Pkg\\Platform"}, {302, L"F:\\Shared"}};
  RunAssocGamePathSetStep(OS::IniFile(options), service);

  EXPECT_EQ(service.Asked(), (std::vector<std::vector<std::uint32_t>>{{301, 302, 303}})) << "one question, each id once";
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kKey, L"Client"), L"E:\\Pkg\\Platform");
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, kKey, L""), L"\"F:\\Shared\\run.exe\" -q");
  EXPECT_EQ(Ini(dir + L"\\VorlanGameTool.ini", L"Platform", L"Root"), L"E:\\Pkg\\Platform");
  EXPECT_EQ(Ini(dir + L"\\tool\\p.ini", L"S", L"K"), L"<none>");
  EXPECT_FALSE(ReadString(HKEY_CURRENT_USER, kKey, L"Nothing").has_value());
  EXPECT_EQ(service.connects, 0);
  DeleteTree(HKEY_CURRENT_USER, kKey);
}
