#include "steps/registry/core/com_server_plan.h"

#include <gtest/gtest.h>

#include <vector>

using namespace vorlan;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A DOS header pointing at a PE header at `at` for `machine`.
Bytes Image(unsigned machine, std::uint32_t at = 0x80, std::size_t size = 0x200) {
  Bytes b(size, 0);
  b[0] = 'M';
  b[1] = 'Z';
  for (int i = 0; i < 4; ++i) b[0x3C + i] = static_cast<std::uint8_t>(at >> (8 * i));
  if (at + 6 <= size) {
    b[at] = 'P';
    b[at + 1] = 'E';
    b[at + 4] = static_cast<std::uint8_t>(machine & 0xFF);
    b[at + 5] = static_cast<std::uint8_t>(machine >> 8);
  }
  return b;
}

TEST(PeMachineOf, ProcessorOfTheHeaderOrNotAProgram) {
  Bytes noPe = Image(0x14C);
  noPe[0x81] = 'X';
  Bytes noMz = Image(0x14C);
  noMz[0] = 'Z';
  const struct {
    const char* name;
    Bytes head;
    PeMachine machine;
  } cases[] = {
      {"x86", Image(0x14C), PeMachine::X86},
      {"x64", Image(0x8664), PeMachine::X64},
      {"arm64", Image(0xAA64), PeMachine::Other},
      {"header at the very end", Image(0x8664, 0x1FA), PeMachine::X64},
      {"header past the end", Image(0x14C, 0x1FB), PeMachine::NotAProgram},
      {"header offset huge", Image(0x14C, 0xFFFFFFF0u), PeMachine::NotAProgram},
      {"no PE signature", noPe, PeMachine::NotAProgram},
      {"no MZ", noMz, PeMachine::NotAProgram},
      {"too short", Bytes{'M', 'Z'}, PeMachine::NotAProgram},
      {"empty", Bytes{}, PeMachine::NotAProgram},
  };
  for (const auto& c : cases) EXPECT_EQ(PeMachineOf(c.head), c.machine) << c.name;
}

TEST(PlanRegSvr, TheRegistrationProgramOfTheServersBitnessSilently) {
  const struct {
    PeMachine machine;
    bool is64, unregister;
    const char* refusal;
    RegSvrFolder folder;
    const wchar_t* arguments;
  } cases[] = {
      {PeMachine::X86, false, false, nullptr, RegSvrFolder::System, L"/s \"C:\\g\\a.dll\""},
      {PeMachine::X86, true, false, nullptr, RegSvrFolder::System32Bit, L"/s \"C:\\g\\a.dll\""},
      {PeMachine::X64, true, false, nullptr, RegSvrFolder::SystemNative, L"/s \"C:\\g\\a.dll\""},
      {PeMachine::X64, true, true, nullptr, RegSvrFolder::SystemNative, L"/s /u \"C:\\g\\a.dll\""},
      {PeMachine::X86, false, true, nullptr, RegSvrFolder::System, L"/s /u \"C:\\g\\a.dll\""},
      {PeMachine::X64, false, false, "a 64-bit library on 32-bit Windows", {}, L""},
      {PeMachine::Other, true, false, "a library for another processor", {}, L""},
      {PeMachine::NotAProgram, true, false, "not a program library", {}, L""},
  };
  for (const auto& c : cases) {
    const RegSvrPlan plan = PlanRegSvr(c.machine, c.is64, c.unregister, L"C:\\g\\a.dll");
    if (c.refusal) {
      ASSERT_TRUE(plan.refusal);
      EXPECT_EQ(*plan.refusal, c.refusal);
      continue;
    }
    EXPECT_FALSE(plan.refusal);
    EXPECT_EQ(plan.folder, c.folder);
    EXPECT_EQ(plan.arguments, c.arguments);
  }
}

TEST(RegSvrTimeOut, OneTo600SecondsAreKeptAnythingElseIs30) {
  const struct {
    int configured, used;
  } cases[] = {{1, 1}, {60, 60}, {600, 600}, {0, 30}, {-5, 30}, {601, 30}, {30, 30}};
  for (const auto& c : cases) EXPECT_EQ(RegSvrTimeOutSeconds(c.configured), c.used) << c.configured;
}

}  // namespace
