#pragma once
// The crash dump writer: whatever ends this process by a crash (a processor
// exception nobody handled on any thread, the C++ runtime's terminate, its
// pure-call and invalid-parameter handlers, abort) leaves a minidump
// "Log\YYYYMMDD-HHMMSS-<pid>.dmp" beside the executable, a level-32 log line,
// and starts "ErrorReporter.exe" from beside the executable with the dump's
// path when both exist. The process then ends with the crash's code as exit
// code; Windows' own crash dialog never comes up. See docs/troubleshooting.md.

namespace OS {

// Installs the handlers for the whole process and switches Windows' crash
// dialog off. Call once, early; later calls change nothing more.
void InstallCrashDumpWriter();

}  // namespace OS
