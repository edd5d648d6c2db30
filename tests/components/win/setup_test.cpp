// CComponent::Setup driven directly, without a launcher: with no dialog,
// with the recording step context, and from two threads at once.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "component_scenario.h"
#include "components/win/component.h"
#include "components/win/config.h"
#include "platform/win/module_path.h"
#include "vtest/recording_step_context.h"

using namespace components_test;

namespace {

// The test's own folder as the current directory, as the launcher has its own.
class ComponentSetup : public ::testing::Test {
 protected:
  void SetUp() override {
    vtest::RemoveTree(folder_);
    ASSERT_TRUE(vtest::MakeDirectories(folder_));
    ASSERT_TRUE(::SetCurrentDirectoryW(folder_.c_str()));
  }
  void WriteCatalogue(const std::wstring& text) const {
    vtest::WriteBytes(folder_ + L"\\VorlanComponent.ini", vtest::ToAnsi(text));
  }
  TestKeys keys_;
  const std::wstring folder_ = vtest::TestFolderFor();
};

}  // namespace

TEST_F(ComponentSetup, TheProcessCatalogueLiesBesideTheProgram) {
  EXPECT_EQ(CConfig::GetInstance().Catalogue().Path(), OS::GetProgramDirectory() + L"\\VorlanComponent.ini");
  EXPECT_EQ(&CConfig::GetInstance(), &CConfig::GetInstance());
}

TEST_F(ComponentSetup, TheResultSaysWhetherAnythingIsListedWithOrWithoutALauncher) {
  CConfig config(folder_ + L"\\VorlanComponent.ini");
  vtest::RecordingStepContext launcher(folder_);
  EXPECT_EQ(CComponent(nullptr, config).Setup(), 0) << "no catalogue";
  EXPECT_EQ(CComponent(&launcher, config).Setup(), 0);
  EXPECT_EQ(launcher.Marks(), 0) << "an empty catalogue leaves the mark to \"Main\"";

  WriteCatalogue(L"[Public]\r\nLanguage=Chinese\r\n[Argument]\r\nArgc=1\r\nArgument_0=Present\r\n[install]\r\nPresent=1\r\n"
                 L"[Present]\r\ntype=regread\r\npath=Software\r\n");
  EXPECT_EQ(CComponent(nullptr, config).Setup(), 1);
  EXPECT_EQ(CComponent(&launcher, config).Setup(), 1);
  EXPECT_EQ(launcher.Marks(), 1);
  EXPECT_EQ(config.Components().size(), 1u) << "every run reads the catalogue afresh";

  // Missing for good (no installer named): no mark, the same result.
  WriteCatalogue(L"[Public]\r\nLanguage=Chinese\r\n[Argument]\r\nArgc=1\r\nArgument_0=Gone\r\n[install]\r\nGone=2\r\n");
  EXPECT_EQ(CComponent(nullptr, config).Setup(), 1);
  EXPECT_EQ(CComponent(&launcher, config).Setup(), 1);
  EXPECT_EQ(launcher.Marks(), 1);
  ASSERT_EQ(config.Components().size(), 1u);
  EXPECT_EQ(config.Components()[0].notInstalled, 1);
}

TEST_F(ComponentSetup, StepsRunningAtOnceInstallOneAfterTheOther) {
  vtest::InstallRecorder(folder_ + L"\\pkg\\setup.exe",
                         vtest::RecorderConfig{.sleepMs = 400, .createRegKey = L"HKLM\\" + TestKey(L"DX")});
  WriteCatalogue(L"[Public]\r\nLanguage=Chinese\r\n[Argument]\r\nArgc=1\r\nArgument_0=DX\r\n[install]\r\nDX=1\r\n"
                 L"[DX]\r\ntype=regread\r\npath=" + TestKey(L"DX") + L"\r\nlocal=pkg\r\nexe=setup.exe\r\n");
  CConfig config(folder_ + L"\\VorlanComponent.ini");
  vtest::RecordingStepContext launcher(folder_);
  std::atomic<int> results{0};
  std::thread first([&] { results += CComponent(&launcher, config).Setup(); });
  std::thread second([&] { results += CComponent(&launcher, config).Setup(); });
  first.join();
  second.join();
  EXPECT_EQ(results, 2);
  // The second step waited for the first and found the component installed.
  EXPECT_EQ(vtest::ReadRecorderRuns(folder_ + L"\\pkg\\setup.exe.rec").size(), 1u);
  EXPECT_EQ(launcher.Marks(), 2);
  EXPECT_EQ(config.Components().size(), 1u);
}
