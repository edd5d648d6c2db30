// Step "Display" and the restore of the PC's own mode, driven with a step
// context of the test's own. The system's display is used where Wine can
// show the outcome; under Wine 8 with Xvfb the current mode is the X screen
// (32 bit, 0 Hz), the display lists that size at 32, 16 and 8 bit, a change
// of depth is taken (for the process that made it) and a size it does not
// list is refused with DISP_CHANGE_BADMODE. The order of record and change,
// and refusals of listed modes, are shown with a display scripted by the
// test.

#include <windows.h>

#include <gtest/gtest.h>

#include "steps/system/core/display_record.h"
#include "steps/system/win/display_step.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/recording_step_context.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;
using vorlan::DisplayMode;
using vorlan::FormatDisplayMode;
using vorlan::steps::RestoreDisplayAtRunStart;
using vorlan::steps::RunDisplay;

namespace {

DisplayMode Now() {
  DEVMODEW dm{};
  dm.dmSize = sizeof dm;
  EXPECT_TRUE(::EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &dm));
  return {dm.dmPelsWidth, dm.dmPelsHeight, dm.dmBitsPerPel, dm.dmDisplayFrequency};
}

// A display that takes or refuses what the test says, and notes every call
// with the record as it was at that moment.
class ScriptedDisplay final : public DisplayDevice {
 public:
  ScriptedDisplay(DisplayMode current, const DisplayRecordKey& record) : current_(current), record_(record) {}
  std::optional<DisplayMode> Current() const override { return current_; }
  std::vector<DisplayMode> Supported() const override {
    return {{1920, 1080, 32, 60}, {1920, 1080, 32, 75}, {1024, 768, 32, 60}, {1024, 768, 32, 75}, {800, 600, 16, 60}};
  }
  long Change(const DisplayMode& mode, bool testOnly) override {
    calls.push_back((testOnly ? L"test " : L"set ") + FormatDisplayMode(mode) + L", record " +
                    record_.ReadMode().value_or(L"none"));
    if (testOnly) return 0;
    if (result == 0) current_ = mode;
    return result;
  }

  long result = 0;
  std::vector<std::wstring> calls;

 private:
  DisplayMode current_;
  const DisplayRecordKey& record_;
};

const DisplayMode kOwn{1920, 1080, 32, 60};

class DisplayStep : public ::testing::Test {
 protected:
  void SetUp() override { DeleteTree(HKEY_CURRENT_USER, parent_); }
  void TearDown() override {
    DeleteTree(HKEY_CURRENT_USER, parent_);
    ::ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr);  // the stored mode, whatever a test left
  }

  std::vector<std::wstring> Run(DisplayDevice& display, const std::wstring& options) {
    game_.WriteOptionFile(options);
    RecordingStepContext context(game_);
    RunDisplay(context, display, record_);
    return context.Printed();
  }

  GameFolder game_;
  const std::wstring parent_ = L"Software\\VorlanTests\\Display." + CurrentTestName();
  const std::wstring key_ = parent_ + L"\\Record";
  DisplayRecordKey record_{HKEY_CURRENT_USER, key_};
};

TEST_F(DisplayStep, TheModeInUseAskedForChangesNothingAndLeavesNoRecord) {
  const DisplayMode now = Now();
  PrimaryDisplay display;
  EXPECT_EQ(Run(display, L"[Display]\r\nWidth=" + std::to_wstring(now.width) + L"\r\nHeight=" +
                             std::to_wstring(now.height) + L"\r\n"),
            (std::vector<std::wstring>{L"Display " + FormatDisplayMode(now) + L", Success"}));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_));
  // Nothing asked: not even a result line.
  EXPECT_TRUE(Run(display, L"[Display]\r\nWidth=0\r\n").empty());
  EXPECT_EQ(Now(), now);
}

TEST_F(DisplayStep, BadValuesAndModesTheDisplayLacksFailWithTheReasonAndChangeNothing) {
  const DisplayMode now = Now();
  const struct {
    const wchar_t* options;
    const wchar_t* printed;
  } cases[] = {
      {L"Width=-1\r\nHeight=768", L"Display [Display], Failed: Width=-1 is not a number of 0 or more"},
      {L"Width=1024\r\nHeight=768px", L"Display [Display], Failed: Height=768px is not a number of 0 or more"},
      {L"Width=99999\r\nHeight=99999",
       L"Display 99999x99999 * bit * Hz, Failed: the display supports no mode 99999x99999 * bit * Hz"},
      {L"BitsPerPel=7", L"Display *x* 7 bit * Hz, Failed: the display supports no mode *x* 7 bit * Hz"},
  };
  PrimaryDisplay display;
  for (const auto& c : cases) {
    EXPECT_EQ(Run(display, std::wstring(L"[Display]\r\n") + c.options + L"\r\n"), (std::vector<std::wstring>{c.printed}));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_));
  }
  EXPECT_EQ(Now(), now);
}

TEST_F(DisplayStep, ADepthTheDisplayTakesIsRecordedFirstAndARunWithoutDisplayRestoresIt) {
  const DisplayMode own = Now();
  PrimaryDisplay display;
  std::optional<DisplayMode> other;
  for (const DisplayMode& m : display.Supported())
    if (m.width == own.width && m.height == own.height && m.bitsPerPel != own.bitsPerPel) other = m;
  ASSERT_TRUE(other) << "the display lists no other colour depth";
  EXPECT_EQ(Run(display, L"[Display]\r\nBitsPerPel=" + std::to_wstring(other->bitsPerPel) + L"\r\n"),
            (std::vector<std::wstring>{L"Display " + FormatDisplayMode(*other) + L", Success"}));
  EXPECT_EQ(Now(), *other);
  EXPECT_EQ(record_.ReadMode(), vorlan::SerializeDisplayRecord(own));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"Game"), game_.File(L"VorlanCfg.ini"));

  game_.WriteOptionFile(L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=1\r\nArgument_0=Main\r\n");
  RecordingStepContext next(game_);
  RestoreDisplayAtRunStart(next, display, record_);
  EXPECT_EQ(next.Printed(), (std::vector<std::wstring>{L"Display restore " + FormatDisplayMode(own) + L", Success"}));
  EXPECT_EQ(Now(), own);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_));
}

TEST_F(DisplayStep, TheFirstChangeIsRecordedBeforeItAndLaterGamesStartFromThePcsOwnMode) {
  ScriptedDisplay display(kOwn, record_);
  EXPECT_EQ(Run(display, L"[Display]\r\nWidth=1024\r\nHeight=768\r\n"),
            (std::vector<std::wstring>{L"Display 1024x768 32 bit 60 Hz, Success"}));
  EXPECT_EQ(display.calls, (std::vector<std::wstring>{L"test 1024x768 32 bit 60 Hz, record none",
                                                      L"set 1024x768 32 bit 60 Hz, record 1920x1080 32 bit 60 Hz"}));
  EXPECT_EQ(ReadString(HKEY_CURRENT_USER, key_, L"Game"), game_.File(L"VorlanCfg.ini"));
  EXPECT_TRUE(WriteString(HKEY_CURRENT_USER, parent_ + L"\\Ordinary", L"x", L"y")) << "only the record is volatile";

  // Another game asks for a rate only: the PC's own size, not the last game's.
  display.calls.clear();
  EXPECT_EQ(Run(display, L"[Display]\r\nFrequency=75\r\n"),
            (std::vector<std::wstring>{L"Display 1920x1080 32 bit 75 Hz, Success"}));
  EXPECT_EQ(record_.ReadMode(), L"1920x1080 32 bit 60 Hz") << "the first record holds the PC's own mode";

  // A refused change keeps the mode and the record.
  display.result = -1;
  EXPECT_EQ(Run(display, L"[Display]\r\nWidth=800\r\n"),
            (std::vector<std::wstring>{L"Display 800x600 16 bit 60 Hz, Failed: the system refused the mode (DISP_CHANGE_FAILED)"}));
  EXPECT_EQ(record_.ReadMode(), L"1920x1080 32 bit 60 Hz");

  // A game that asks for nothing gets the PC's own mode back; the record goes.
  display.result = 0;
  display.calls.clear();
  EXPECT_EQ(Run(display, L"[Display]\r\n"), (std::vector<std::wstring>{L"Display 1920x1080 32 bit 60 Hz, Success"}));
  EXPECT_EQ(display.calls.back(), L"set 1920x1080 32 bit 60 Hz, record 1920x1080 32 bit 60 Hz");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_));
}

TEST_F(DisplayStep, NoChangeWithoutARecordOfThePcsOwnMode) {
  // A key name the registry cannot hold: the record cannot be written.
  DisplayRecordKey unwritable(HKEY_CURRENT_USER, key_ + L"\\" + std::wstring(300, L'x'));
  ScriptedDisplay display(kOwn, unwritable);
  game_.WriteOptionFile(L"[Display]\r\nWidth=1024\r\nHeight=768\r\n");
  RecordingStepContext context(game_);
  RunDisplay(context, display, unwritable);
  ASSERT_EQ(context.Printed().size(), 1u);
  EXPECT_EQ(context.Printed()[0].rfind(L"Display 1024x768 32 bit 60 Hz, Failed: cannot record the PC's own mode in HKCU\\" +
                                           key_ + L"\\",
                                       0),
            0u)
      << ToUtf8(context.Printed()[0]);
  EXPECT_EQ(display.calls, (std::vector<std::wstring>{L"test 1024x768 32 bit 60 Hz, record none"}));
  EXPECT_EQ(display.Current(), kOwn);
}

TEST_F(DisplayStep, OnlyAnOptionFileThatListsNoDisplayStepRestoresAtRunStart) {
  const struct {
    const wchar_t* options;
    bool lists;
  } cases[] = {
      {L"[Control]\r\nExclude=Copy,Display,Main\r\n", true},
      {L"[ProcessMgr]\r\nArgc=2\r\n[ProcessMgr_1]\r\nArgc=3\r\nArgument_2=Display\r\n", true},
      {L"[Control]\r\nExclude=Copy,display, Display\r\n", false},
      {L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_0]\r\nArgc=1\r\nArgument_1=Display\r\n", false},
      {L"[ProcessMgr]\r\nArgc=1\r\n[ProcessMgr_1]\r\nArgc=1\r\nArgument_0=Display\r\n[Display]\r\nWidth=800\r\n", false},
  };
  for (const auto& c : cases) {
    game_.WriteOptionFile(c.options);
    EXPECT_EQ(vorlan::steps::ListsDisplayStep(OS::IniFile(game_.File(L"VorlanCfg.ini"))), c.lists) << ToUtf8(c.options);
  }

  // A game that lists "Display" leaves the recorded mode to its step.
  ASSERT_EQ(record_.Write(L"1920x1080 32 bit 60 Hz", L"earlier game"), 0);
  ScriptedDisplay display({1024, 768, 32, 60}, record_);
  game_.WriteOptionFile(cases[0].options);
  RecordingStepContext listing(game_);
  RestoreDisplayAtRunStart(listing, display, record_);
  EXPECT_TRUE(display.calls.empty());
  EXPECT_TRUE(listing.Printed().empty());
  EXPECT_EQ(record_.ReadMode(), L"1920x1080 32 bit 60 Hz");
}

}  // namespace
