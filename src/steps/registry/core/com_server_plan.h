#pragma once
// Step "RegDll": which registration program registers a COM server, and
// with which arguments. The server is never loaded into the launcher: the
// system's registration program (regsvr32) does it in a process of its own,
// the one of the server's bitness.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vorlan {

enum class PeMachine { NotAProgram, X86, X64, Other };

// From the first bytes of a file (the DOS header and the PE header it
// points to; 4096 bytes are plenty).
PeMachine PeMachineOf(std::span<const std::uint8_t> head);

enum class RegSvrFolder {
  System,        // the system folder as the launcher sees it (32-bit Windows)
  System32Bit,   // the 32-bit system folder of 64-bit Windows (SysWOW64)
  SystemNative,  // the 64-bit system folder, with file-system redirection off
};

struct RegSvrPlan {
  std::optional<std::string> refusal;  // set: nothing is run, for this reason
  RegSvrFolder folder = RegSvrFolder::System;
  std::wstring arguments;  // after the program's quoted path
};

// "/s" (no message boxes), "/u" to unregister, the server's quoted path.
// Refused: a file that is not a program library, one for another
// processor, a 64-bit server on 32-bit Windows.
RegSvrPlan PlanRegSvr(PeMachine machine, bool is64BitOs, bool unregister, std::wstring_view server);

// How long regsvr32 is waited for: "TimeOut" when it is 1 to 600 seconds,
// otherwise 30.
inline constexpr int kRegSvrDefaultTimeOut = 30;
inline constexpr int kRegSvrLongestTimeOut = 600;
int RegSvrTimeOutSeconds(int configured);

}  // namespace vorlan
