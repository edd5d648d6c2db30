#include "steps/registry/core/com_server_plan.h"

namespace vorlan {
namespace {

std::uint32_t Read32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

PeMachine PeMachineOf(std::span<const std::uint8_t> head) {
  if (head.size() < 0x40 || head[0] != 'M' || head[1] != 'Z') return PeMachine::NotAProgram;
  const std::uint32_t pe = Read32(head, 0x3C);
  if (pe > head.size() || head.size() - pe < 6) return PeMachine::NotAProgram;
  if (head[pe] != 'P' || head[pe + 1] != 'E' || head[pe + 2] != 0 || head[pe + 3] != 0) return PeMachine::NotAProgram;
  const unsigned machine = head[pe + 4] | head[pe + 5] << 8;
  if (machine == 0x014C) return PeMachine::X86;
  if (machine == 0x8664) return PeMachine::X64;
  return PeMachine::Other;
}

RegSvrPlan PlanRegSvr(PeMachine machine, bool is64BitOs, bool unregister, std::wstring_view server) {
  RegSvrPlan plan;
  switch (machine) {
    case PeMachine::NotAProgram:
      plan.refusal = "not a program library";
      return plan;
    case PeMachine::Other:
      plan.refusal = "a library for another processor";
      return plan;
    case PeMachine::X64:
      if (!is64BitOs) {
        plan.refusal = "a 64-bit library on 32-bit Windows";
        return plan;
      }
      plan.folder = RegSvrFolder::SystemNative;
      break;
    case PeMachine::X86:
      plan.folder = is64BitOs ? RegSvrFolder::System32Bit : RegSvrFolder::System;
      break;
  }
  plan.arguments = unregister ? L"/s /u \"" : L"/s \"";
  plan.arguments += server;
  plan.arguments += L'"';
  return plan;
}

int RegSvrTimeOutSeconds(int configured) {
  return configured >= 1 && configured <= kRegSvrLongestTimeOut ? configured : kRegSvrDefaultTimeOut;
}

}  // namespace vorlan
