#pragma once
// A package's system files: every file directly in its "System32File"
// folder goes into the system folder for its bitness (assoc/core/assoc_rules.h).

#include <string>

namespace assoc {

// Where system files go on this PC. Tests name folders of their own.
struct SystemFolders {
  std::wstring native;  // the running Windows' System32
  std::wstring wow32;   // SysWOW64 of 64-bit Windows; empty on 32-bit Windows
  bool is64BitOs = false;

  static SystemFolders OfThisPc();
};

struct SystemFileTally {
  int total = 0;   // files found
  int copied = 0;  // copied or replaced
  int kept = 0;    // left as they were: the system folder's file is not older
  int failed = 0;
};

// Each file is written whole or not at all: copied beside its target under a
// temporary name, then renamed over it. An existing file is replaced only by a
// newer one; a read-only or locked one is not replaced (the file fails). Every
// file is logged; a failing file does not stop the others.
SystemFileTally CopySystemFiles(const std::wstring& sourceFolder, const SystemFolders& folders);

}  // namespace assoc
