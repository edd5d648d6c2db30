#include "steps/system/core/display_mode.h"
#include "steps/system/core/display_record.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vorlan;

namespace {

std::string Text(const std::wstring& s) { return std::string(s.begin(), s.end()); }

const std::vector<DisplayMode> kSupported = {
    {800, 600, 32, 60},   {800, 600, 32, 75},   {1024, 768, 16, 60},  {1024, 768, 32, 60},
    {1024, 768, 32, 75},  {1024, 768, 32, 85},  {1920, 1080, 32, 60}, {1920, 1080, 32, 144},
};

}  // namespace

TEST(DisplayMode, RequestValuesAreDecimalNumbersAndEmptyKeeps) {
  const struct {
    DisplayRequestText text;
    DisplayRequest request;
    const wchar_t* error;
  } cases[] = {
      {{L"1024", L"768", L"32", L"60"}, {1024, 768, 32, 60}, L""},
      {{L"", L" ", L"0", L""}, {0, 0, 0, 0}, L""},
      {{L" 800 ", L"600", L"", L""}, {800, 600, 0, 0}, L""},
      {{L"4294967295", L"", L"", L""}, {4294967295u, 0, 0, 0}, L""},
      {{L"-1", L"768", L"", L""}, {}, L"Width=-1 is not a number of 0 or more"},
      {{L"1024", L"768x", L"", L""}, {}, L"Height=768x is not a number of 0 or more"},
      {{L"1024", L"768", L"abc", L""}, {}, L"BitsPerPel=abc is not a number of 0 or more"},
      {{L"1024", L"768", L"32", L"4294967296"}, {}, L"Frequency=4294967296 is not a number of 0 or more"},
      {{L"1e3", L"", L"", L""}, {}, L"Width=1e3 is not a number of 0 or more"},
  };
  for (const auto& c : cases) {
    const DisplayRequestParse parse = ParseDisplayRequest(c.text);
    EXPECT_EQ(parse.error, c.error) << Text(c.text.width);
    EXPECT_EQ(FormatDisplayRequest(parse.request), FormatDisplayRequest(c.request)) << Text(c.text.width);
  }
}

TEST(DisplayMode, TheDecisionPrefersThePcsOwnPartsThenTheHighest) {
  const DisplayMode own{1920, 1080, 32, 144};
  const struct {
    const char* what;
    DisplayMode current;
    DisplayRequest request;
    DisplayDecisionKind kind;
    DisplayMode mode;
  } cases[] = {
      {"nothing asked, own mode set", own, {}, DisplayDecisionKind::NoChange, own},
      {"nothing asked after another game: back to own", {800, 600, 32, 60}, {}, DisplayDecisionKind::Change, own},
      {"exact mode", own, {1024, 768, 32, 60}, DisplayDecisionKind::Change, {1024, 768, 32, 60}},
      {"own 144 Hz not there: highest", own, {1024, 768, 0, 0}, DisplayDecisionKind::Change, {1024, 768, 32, 85}},
      {"own depth kept over a higher count", {1024, 768, 32, 60}, {1024, 768, 0, 60}, DisplayDecisionKind::NoChange,
       {1024, 768, 32, 60}},
      {"only the rate", own, {0, 0, 0, 60}, DisplayDecisionKind::Change, {1920, 1080, 32, 60}},
      {"equal to current", {1024, 768, 32, 75}, {1024, 768, 32, 75}, DisplayDecisionKind::NoChange, {1024, 768, 32, 75}},
      {"the current mode counts though unlisted", {1280, 1024, 32, 0}, {1280, 1024, 0, 0},
       DisplayDecisionKind::NoChange, {1280, 1024, 32, 0}},
  };
  for (const auto& c : cases) {
    const DisplayDecision d = DecideDisplayMode(c.current, own, kSupported, c.request);
    EXPECT_EQ(d.kind, c.kind) << c.what;
    EXPECT_EQ(FormatDisplayMode(d.mode), FormatDisplayMode(c.mode)) << c.what;
  }
}

TEST(DisplayMode, AModeTheDisplayLacksIsRefusedWithTheRequestInTheReason) {
  const DisplayMode own{1920, 1080, 32, 60};
  const struct {
    DisplayRequest request;
    const wchar_t* reason;
  } cases[] = {
      {{4000, 3000, 0, 0}, L"the display supports no mode 4000x3000 * bit * Hz"},
      {{1024, 768, 8, 0}, L"the display supports no mode 1024x768 8 bit * Hz"},
      {{0, 0, 0, 4294967295u}, L"the display supports no mode *x* * bit 4294967295 Hz"},
      {{1024, 600, 0, 0}, L"the display supports no mode 1024x600 * bit * Hz"},
  };
  for (const auto& c : cases) {
    const DisplayDecision d = DecideDisplayMode(own, own, kSupported, c.request);
    EXPECT_EQ(d.kind, DisplayDecisionKind::Unsupported);
    EXPECT_EQ(d.reason, c.reason);
  }
  EXPECT_EQ(DecideDisplayMode(own, own, {}, {800, 600, 0, 0}).kind, DisplayDecisionKind::Unsupported);
}

TEST(DisplayRecord, TheRecordIsTheModeAsTheLogWritesIt) {
  EXPECT_EQ(SerializeDisplayRecord({1920, 1080, 32, 60}), L"1920x1080 32 bit 60 Hz");
  for (const DisplayMode& mode : {DisplayMode{1920, 1080, 32, 60}, DisplayMode{1280, 1024, 32, 0},
                                  DisplayMode{4294967295u, 1, 1, 4294967295u}})
    EXPECT_EQ(ParseDisplayRecord(SerializeDisplayRecord(mode)), mode);
  EXPECT_EQ(ParseDisplayRecord(L" 800x600 16 bit 75 Hz "), (DisplayMode{800, 600, 16, 75}));
  for (const wchar_t* bad : {L"", L"800x600", L"800x600 16 bit", L"800x600 16 bit 75", L"800x600 16 bit 75 Hz x",
                             L"800X600 16 bit 75 Hz", L"-800x600 16 bit 75 Hz", L"0x600 16 bit 75 Hz",
                             L"800x600 0 bit 75 Hz", L"4294967296x600 16 bit 75 Hz", L"800x600  16 bit 75 Hz"})
    EXPECT_FALSE(ParseDisplayRecord(bad)) << Text(bad);
}
