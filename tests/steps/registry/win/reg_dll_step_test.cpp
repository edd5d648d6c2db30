// Step "RegDll" driven with a step context of the test's own: a stand-in COM
// server registered and unregistered by the prefix's regsvr32, and servers
// that hang, fail, are no COM server or no program at all.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>

#include "steps/registry/win/registry_steps.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/recording_step_context.h"
#include "vtest/test_paths.h"

using namespace vtest;
using vorlan::steps::RunRegDll;

namespace {

class RegDllStep : public ::testing::Test {
 protected:
  void SetUp() override {
    game_.MakeDir(L"com");
    for (const wchar_t* name : {L"com\\a.dll", L"com\\b.ocx", L"com\\hang.dll", L"com\\fail.dll"})
      ASSERT_TRUE(::CopyFileW(ComServerDll().c_str(), game_.File(name).c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(NoExportDll().c_str(), game_.File(L"com\\plain.dll").c_str(), FALSE));
    ASSERT_TRUE(WriteBytes(game_.File(L"com\\hang.dll.hang"), ""));
    ASSERT_TRUE(WriteBytes(game_.File(L"com\\fail.dll.fail"), ""));
    ASSERT_TRUE(WriteBytes(game_.File(L"com\\text.dll"), "not a library"));
  }
  void WriteEntries(const std::vector<std::wstring>& entries) {
    std::wstring text = L"[RegDll]\r\nNum=" + std::to_wstring(entries.size()) + L"\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i) text += L"[RegDll" + std::to_wstring(i) + L"]\r\n" + entries[i];
    game_.WriteOptionFile(text);
  }

  GameFolder game_;
};

TEST_F(RegDllStep, ServersAreRegisteredAndUnregisteredOutOfProcess) {
  WriteEntries({L"File=com\\a.dll\r\n", L"File=com\\b.ocx\r\nIsUnregister=1\r\n", L"File=com\\a.dll\r\nIsUnregister=1\r\n"});
  RecordingStepContext context(game_);
  RunRegDll(context);

  EXPECT_EQ(context.Printed(), (std::vector<std::wstring>{L"Register COM " + game_.File(L"com\\a.dll") + L", Success",
                                                          L"Unregister COM " + game_.File(L"com\\b.ocx") + L", Success",
                                                          L"Unregister COM " + game_.File(L"com\\a.dll") + L", Success"}));
  EXPECT_EQ(ReadBytes(game_.File(L"com\\a.dll.rec")), "register\nunregister\n");
  EXPECT_EQ(ReadBytes(game_.File(L"com\\b.ocx.rec")), "unregister\n");
  // Never in the launcher's own process.
  EXPECT_EQ(::GetModuleHandleW(game_.File(L"com\\a.dll").c_str()), nullptr);
}

TEST_F(RegDllStep, BadServersFailWithTheirReasonAndTheNextGoesOn) {
  WriteEntries({L"File=com\\missing.dll\r\n", L"File=com\\text.dll\r\n", L"File=com\\plain.dll\r\n",
                L"File=com\\fail.dll\r\n", L"File=com\\hang.dll\r\nTimeOut=2\r\n", L"IsUnregister=1\r\n",
                L"File=com\\a.dll\r\n"});
  RecordingStepContext context(game_);
  const auto begin = std::chrono::steady_clock::now();
  RunRegDll(context);
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - begin).count();

  const auto printed = context.Printed();
  ASSERT_EQ(printed.size(), 7u);
  EXPECT_EQ(printed[0], L"Register COM " + game_.File(L"com\\missing.dll") + L", Failed: cannot read the file");
  EXPECT_EQ(printed[1], L"Register COM " + game_.File(L"com\\text.dll") + L", Failed: not a program library");
  // regsvr32 finds no DllRegisterServer, or the server refuses: its exit code.
  const std::wstring plain = L"Register COM " + game_.File(L"com\\plain.dll") + L", Failed: regsvr32 exit code ";
  EXPECT_EQ(printed[2].substr(0, plain.size()), plain);
  EXPECT_NE(printed[2], plain + L"0");
  const std::wstring fail = L"Register COM " + game_.File(L"com\\fail.dll") + L", Failed: regsvr32 exit code ";
  EXPECT_EQ(printed[3].substr(0, fail.size()), fail);
  EXPECT_EQ(printed[4], L"Register COM " + game_.File(L"com\\hang.dll") + L", Failed: no end within 2 s, regsvr32 ended");
  EXPECT_EQ(printed[5], L"Unregister COM , Failed: [RegDll5] has no File");
  EXPECT_EQ(printed[6], L"Register COM " + game_.File(L"com\\a.dll") + L", Success");
  EXPECT_EQ(ReadBytes(game_.File(L"com\\a.dll.rec")), "register\n");
  EXPECT_LT(seconds, 20);
}

}  // namespace
