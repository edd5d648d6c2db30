#pragma once
// How the "Main" step starts the game ([Main] "RunOption").

namespace vorlan {

enum class LaunchMode {
  CreateProcess,  // any other value (0 by default): the program directly
  ShellOpen,      // 1: the shell's default verb on the full game path
  CommandRunner,  // 2: the ANSI command runner of Windows (WinExec)
  OpenDocument,   // 3: "open" on the raw program value (a web address, a document)
};

LaunchMode LaunchModeFor(int runOption);

}  // namespace vorlan
