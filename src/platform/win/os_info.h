#pragma once
// What the program needs to know of the Windows it runs on; computed once
// per process.

namespace OS {

struct WindowsVersion {
  unsigned major = 0;
  unsigned minor = 0;
  bool workstation = true;
};

const WindowsVersion& GetWindowsVersion();

// The generation code 1..7 that "SkipOS" and "OsCfg" compare against.
int GetOsCode();

// 64-bit Windows: GetSystemWow64DirectoryW exists in kernel32 and succeeds,
// or fails with an error other than "call not implemented".
bool Is64BitOs();

// Windows 7 exactly (version 6.1).
bool IsWindows7();

}  // namespace OS
