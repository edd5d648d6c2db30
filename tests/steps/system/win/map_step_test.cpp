// Step "Map" driven with a step context of the test's own: what the letter
// shows afterwards, the record, the program directory and the result line.
// Wine 8 defines and removes letters like Windows, but files are not
// reachable through them; a second definition of a letter is refused
// rather than stacked.

#include <windows.h>

#include <gtest/gtest.h>

#include "drive_letters.h"
#include "steps/system/win/drive_letters.h"
#include "steps/system/win/map_step.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/recording_step_context.h"

using namespace maptest;
using vtest::RecordingStepContext;

namespace {

class MapStep : public ::testing::Test {
 protected:
  void SetUp() override {
    letter_ = FreeLetter();
    drive_ = Drive(letter_);
    game_.MakeDir(L"data");
    game_.MakeDir(L"other");
  }
  void TearDown() override { Unmap(letter_); }

  std::vector<std::wstring> Run(const std::wstring& section, std::wstring* programDirectory = nullptr) {
    game_.WriteOptionFile(L"[Map]\r\n" + section);
    RecordingStepContext context(game_);
    vorlan::steps::RunMap(context);
    if (programDirectory) *programDirectory = context.ProgramDirectory();
    return context.Printed();
  }

  vtest::GameFolder game_;
  wchar_t letter_ = 0;
  std::wstring drive_;
};

TEST_F(MapStep, AFreeLetterShowsTheGameFolderIsRecordedAndBecomesTheProgramDirectory) {
  std::wstring programDirectory;
  const std::wstring lower(1, static_cast<wchar_t>(letter_ - L'A' + L'a'));
  EXPECT_EQ(Run(L"Drive=" + lower + L"\r\n", &programDirectory),
            std::vector<std::wstring>{L"Map " + drive_ + L" -> " + game_.Path() + L", Success"});
  EXPECT_EQ(Shows(letter_), L"\\??\\" + game_.Path());
  EXPECT_EQ(Record(letter_), game_.Path());
  EXPECT_EQ(programDirectory, drive_);
}

TEST_F(MapStep, ALetterThatShowsTheFolderAlreadyIsKept) {
  Define(letter_, game_.File(L"data"));
  std::wstring programDirectory;
  EXPECT_EQ(Run(L"Drive=" + drive_ + L"\r\nPath=data\\\r\n", &programDirectory),
            std::vector<std::wstring>{L"Map " + drive_ + L" -> " + game_.File(L"data") + L", Success"});
  EXPECT_EQ(Shows(letter_), L"\\??\\" + game_.File(L"data"));
  EXPECT_FALSE(Record(letter_)) << "a mapping found there is not this program's";
  EXPECT_EQ(programDirectory, drive_);
}

TEST_F(MapStep, OurMappingForAnotherGameIsReplaced) {
  Define(letter_, game_.File(L"other"));
  ASSERT_TRUE(vtest::WriteString(HKEY_LOCAL_MACHINE, kRecordKey, drive_, game_.File(L"other"), vtest::RegView::Wow64));
  std::wstring programDirectory;
  EXPECT_EQ(Run(L"Drive=" + drive_ + L"\r\nPath=" + game_.File(L"data") + L"\r\n", &programDirectory),
            std::vector<std::wstring>{L"Map " + drive_ + L" -> " + game_.File(L"data") + L", Success"});
  EXPECT_EQ(Shows(letter_), L"\\??\\" + game_.File(L"data"));
  EXPECT_EQ(Record(letter_), game_.File(L"data"));
  EXPECT_EQ(programDirectory, drive_);
}

TEST_F(MapStep, DisksAndOtherPeoplesMappingsAreNeverTaken) {
  const std::wstring other = game_.File(L"other");
  Define(letter_, other);
  const std::wstring disk = Shows(L'Z');  // Wine's "/"
  for (const std::wstring& drive : {drive_, std::wstring(L"Z:")}) {
    std::wstring programDirectory;
    const std::wstring reason = drive == L"Z:" ? L"Z: is a drive of this PC"
                                               : drive_ + L" shows " + other + L", which this program did not map";
    EXPECT_EQ(Run(L"Drive=" + drive + L"\r\n", &programDirectory),
              std::vector<std::wstring>{L"Map " + drive + L" -> " + game_.Path() + L", Failed: " + reason});
    EXPECT_EQ(Shows(letter_), L"\\??\\" + other);
    EXPECT_EQ(Shows(L'Z'), disk);
    EXPECT_FALSE(Record(letter_));
    EXPECT_EQ(programDirectory, game_.Path());
  }
}

TEST_F(MapStep, BadInputFailsWithTheReasonAndLeavesNoMappingAndNoRecord) {
  game_.WriteText(L"a-file", L"x");
  const struct {
    std::wstring section;
    std::wstring what;
    std::wstring reason;
  } rows[] = {
      {L"Path=data\r\n", L" -> " + game_.File(L"data"), L"[Map] has no Drive"},
      {L"Drive=1\r\n", L"1 -> " + game_.Path(), L"\"1\" is not a drive letter"},
      {L"Drive=" + drive_ + L"\r\nPath=missing\r\n", drive_ + L" -> " + game_.File(L"missing"),
       L"the folder does not exist"},
      {L"Drive=" + drive_ + L"\r\nPath=a-file\r\n", drive_ + L" -> " + game_.File(L"a-file"), L"it is not a folder"},
      // Wine has no network provider: every share fails at once (error 1222).
      {L"Drive=" + drive_ + L"\r\nPath=\\\\192.0.2.1\\games\\\r\n", drive_ + L" -> \\\\192.0.2.1\\games",
       L"the share cannot be connected"},
  };
  for (const auto& row : rows) {
    std::wstring programDirectory;
    EXPECT_EQ(Run(row.section, &programDirectory),
              std::vector<std::wstring>{L"Map " + row.what + L", Failed: " + row.reason})
        << vtest::ToUtf8(row.section);
    EXPECT_EQ(Shows(letter_), L"") << vtest::ToUtf8(row.section);
    EXPECT_FALSE(Record(letter_)) << vtest::ToUtf8(row.section);
    EXPECT_EQ(programDirectory, game_.Path()) << vtest::ToUtf8(row.section);
  }
}

TEST(MapShareTimeLimit, ACallThatDoesNotReturnInTimeIsGivenUpAndAQuickOneAnswers) {
  // Stays open: the call given up may still be about to wait on it.
  const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_EQ(vorlan::steps::CallWithTimeLimit(
                [event] { return static_cast<long>(::WaitForSingleObject(event, INFINITE)); }, 50),
            std::nullopt);
  ::SetEvent(event);
  EXPECT_EQ(vorlan::steps::CallWithTimeLimit([] { return 1222L; }, 10000), 1222L);
}

}  // namespace
