// The display record on the real programs: the launcher's "Display" step
// records the PC's own mode, the start of a later run restores it, and
// vorlan-check --restore-display does the same by hand. The record key is
// one for the whole prefix: these cases run alone.
//
// Wine 8 with Xvfb takes a change of colour depth, but only for the process
// that made it (the next process finds the screen's own depth again); a size
// the display does not list is refused with DISP_CHANGE_BADMODE (-2).

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "check_run.h"
#include "step_run.h"
#include "steps/system/core/display_mode.h"
#include "steps/system/core/display_record.h"
#include "vtest/files.h"
#include "vtest/registry.h"

using namespace vtest;
using vorlan::DisplayMode;
using vorlan::FormatDisplayMode;

namespace {

constexpr wchar_t kRecordKey[] = L"SOFTWARE\\VorlanDisplay";
const std::wstring kWhere = L"HKLM\\SOFTWARE\\VorlanDisplay";

DisplayMode Now() {
  DEVMODEW dm{};
  dm.dmSize = sizeof dm;
  EXPECT_TRUE(::EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &dm));
  return {dm.dmPelsWidth, dm.dmPelsHeight, dm.dmBitsPerPel, dm.dmDisplayFrequency};
}

// Another colour depth the display lists for the current size.
std::uint32_t OtherDepth(const DisplayMode& now) {
  DEVMODEW dm{};
  dm.dmSize = sizeof dm;
  for (DWORD i = 0; ::EnumDisplaySettingsW(nullptr, i, &dm); ++i)
    if (dm.dmPelsWidth == now.width && dm.dmPelsHeight == now.height && dm.dmBitsPerPel != now.bitsPerPel)
      return dm.dmBitsPerPel;
  return 0;
}

// The log of the last run in the folder.
std::vector<LogLine> LastRun(const LauncherRun& run) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < run.log.size(); ++i)
    if (run.log[i].text.rfind(L"CVorlanDlg::ThreadProc. Thread Start Time", 0) == 0) start = i;
  return {run.log.begin() + static_cast<std::ptrdiff_t>(start), run.log.end()};
}

bool Has(const std::vector<LogLine>& log, const std::wstring& text, int level) { return FindLine(log, text, level) >= 0; }

class DisplayRun : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTree(HKEY_LOCAL_MACHINE, kRecordKey); }
  void TearDown() override { DeleteTree(HKEY_LOCAL_MACHINE, kRecordKey); }
};

TEST_F(DisplayRun, TheStepRecordsThePcsModeAndTheStartOfTheNextGameWithoutDisplayRestoresIt) {
  const DisplayMode own = Now();
  const std::uint32_t depth = OtherDepth(own);
  ASSERT_NE(depth, 0u) << "the display lists no other colour depth";
  GameFolder game;
  DeleteValue(HKEY_LOCAL_MACHINE, L"Software\\ZR_Vorlan", game.ExePath());  // a full run
  game.WriteOptionFile(steptest::OptionFileRunning(L"Display", L"[Display]\nBitsPerPel=" + std::to_wstring(depth) + L"\n"));
  const LauncherRun first = steptest::RunLauncher(game);
  DisplayMode set = own;
  set.bitsPerPel = depth;
  EXPECT_EQ(steptest::TextsAtLevel(steptest::StepLines(first, L"CVorlanDlg::ProcessManage.开始执行更改显示设置",
                                                       L"CVorlanDlg::ProcessManage.已执行更改显示设置 "),
                                   4),
            (std::vector<std::wstring>{
                L"DisplayOption: CVorlanDlg::ProcessDisplay. The PC's own mode " + FormatDisplayMode(own) +
                    L" is recorded in " + kWhere,
                L"DisplayOption: CVorlanDlg::ProcessDisplay. Set " + FormatDisplayMode(set) + L", Success",
                L"CVorlanDlg::PrintInfo: Display " + FormatDisplayMode(set) + L", Success"}))
      << Dump(first.log);
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRecordKey, L"Mode"), vorlan::SerializeDisplayRecord(own));

  // A game without "Display": restored before the first step (under Wine the
  // depth went back with the launcher that set it, so it is set already).
  game.WriteOptionFile(steptest::OptionFileRunning(L"Copy", L""));
  const auto restoring = LastRun(steptest::RunLauncher(game));
  const int restore = FindLine(restoring, L"DisplayOption: CVorlanDlg::RestoreDisplay. Restore " + FormatDisplayMode(own) +
                                              L", Success (set already)", 4);
  EXPECT_GE(restore, 0) << Dump(restoring);
  EXPECT_LT(restore, FindLine(restoring, L"CVorlanDlg::ProcessManage.开始执行复制文件", 4));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kRecordKey));

  // A recorded mode the system refuses: logged with its result, kept.
  ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kRecordKey, L"Mode", L"800x600 32 bit 60 Hz"));
  const auto refused = LastRun(steptest::RunLauncher(game));
  EXPECT_TRUE(Has(refused, L"DisplayOption: CVorlanDlg::RestoreDisplay. Restore 800x600 32 bit 60 Hz, Failed: the system refused the mode (DISP_CHANGE_BADMODE), result -2", 32))
      << Dump(refused);
  EXPECT_TRUE(Has(refused, L"CVorlanDlg::PrintInfo: Display restore 800x600 32 bit 60 Hz, Failed: the system refused the mode (DISP_CHANGE_BADMODE)", 4));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kRecordKey, L"Mode"), L"800x600 32 bit 60 Hz");
}

TEST_F(DisplayRun, VorlanCheckRestoresThePcsModeFromTheRecord) {
  ::CreateDirectoryW(L"C:\\vorlan-tests", nullptr);
  DisplayMode other = Now();
  other.bitsPerPel = OtherDepth(other);
  ASSERT_NE(other.bitsPerPel, 0u);
  const struct {
    const wchar_t* record;  // null: none
    DWORD exitCode;
    std::wstring line;
    bool recordStays;
  } cases[] = {
      {nullptr, 0, L"no display record in " + kWhere + L": nothing to restore", false},
      {L"", 0, L"restored the PC's own display mode " + FormatDisplayMode(other) + L"; the record in " + kWhere + L" is removed", false},
      {L"800x600 32 bit 60 Hz", 2, L"cannot restore the display mode 800x600 32 bit 60 Hz: the system refused it (DISP_CHANGE_BADMODE), result -2; the record stays in " + kWhere, true},
      {L"1024 by 768", 1, L"the display record \"1024 by 768\" in " + kWhere + L" holds no mode: nothing is restored, the record is removed", false},
  };
  int n = 0;
  for (const auto& c : cases) {
    DeleteTree(HKEY_LOCAL_MACHINE, kRecordKey);
    if (c.record) {
      ASSERT_TRUE(WriteString(HKEY_LOCAL_MACHINE, kRecordKey, L"Mode",
                              *c.record ? std::wstring(c.record) : vorlan::SerializeDisplayRecord(other)));
    }
    // An output file of each run's own: Wine's desktop process may still
    // hold the one before.
    const checktest::CheckRun run =
        checktest::RunCheck(L"C:\\vorlan-tests\\DisplayRun." + std::to_wstring(++n), L"--restore-display");
    EXPECT_EQ(run.exitCode, c.exitCode) << ToUtf8(c.line);
    EXPECT_EQ(run.lines, (std::vector<std::wstring>{c.line}));
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kRecordKey), c.recordStays) << ToUtf8(c.line);
  }
}

}  // namespace

namespace {

TEST(DisplayPlan, ThePlanShowsTheModeAskedForAndTheRestoreOfARunWithoutDisplay) {
  GameFolder game;
  int n = 0;
  const auto plan = [&](const std::wstring& options) {
    game.WriteOptionFile(options);
    const checktest::CheckRun run =
        checktest::RunCheck(game.Path() + L"." + std::to_wstring(++n), L"--plan \"" + game.Path() + L"\"");
    EXPECT_EQ(run.exitCode, 0u);
    return run.lines;
  };
  const std::wstring restore =
      L"at the start of every run: a display mode an earlier game left is set back to the PC's own (no \"Display\" step listed)";
  const auto withDisplay = plan(steptest::OptionFileRunning(L"Display", L"[Display]\nWidth=1024\nHeight=768\n"));
  EXPECT_NE(std::find(withDisplay.begin(), withDisplay.end(),
                      L"      sets the display to 1024x768 * bit * Hz (* keeps the PC's own) when the mode in use differs and the display has it"),
            withDisplay.end());
  EXPECT_EQ(std::find(withDisplay.begin(), withDisplay.end(), restore), withDisplay.end());
  const auto without = plan(steptest::OptionFileRunning(L"Copy", L""));
  EXPECT_NE(std::find(without.begin(), without.end(), restore), without.end());
}

}  // namespace
