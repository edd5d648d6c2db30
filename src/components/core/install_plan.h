#pragma once
// What one installation pass does for one missing component, decided from
// the installer keys of its section before anything is touched.
//
// Pass 0 runs the installer in place:
//   "\"<current dir>\<local>\<exe>\" <parameter>"
//   "MSIEXEC.EXE /i \"<current dir>\<local>\<exe>\" <parameter>"   (msi)
// in the folder <current dir>\<local>, after removing "regremove".
// Pass 1 copies the package folder to drive D: first,
//   "xcopy <local> d:\<local>\ /s/y"   (hidden, in the current directory)
// and runs the installer from there:
//   "d:\<local>\<exe> <parameter>"
//   "MSIEXEC.EXE /i \"d:\<local>\<exe>\" <parameter>"              (msi)
// in the folder d:\<local>.
// Both passes remove "regremove" again after the installer ran.

#include <string>
#include <string_view>

namespace vorlan {

// The installer keys of a component section.
struct InstallerSettings {
  std::wstring local;      // package folder, relative to the current directory
  std::wstring exe;        // installer file inside it
  std::wstring parameter;  // its parameters
  int msi = 0;             // non-zero: a Windows Installer package
  std::wstring regRemove;  // HKCR key removed around the installer
};

struct CommandPlan {
  std::wstring commandLine;
  std::wstring workingDirectory;
};

struct InstallPlan {
  enum class Skip {
    None,
    NoInstaller,      // "exe" is empty: there is nothing to start
    NoPackageFolder,  // pass 1 and "local" is empty: xcopy would copy drive D: itself
    // pass 1 and "local" is not a plain folder below the current directory
    // (rooted, with a drive, or with "." or ".."): xcopy would copy a whole
    // drive or the game folder to the root of D:
    UnsafePackageFolder,
  };
  Skip skip = Skip::None;
  bool copyToDriveD = false;
  CommandPlan copy;       // when copyToDriveD
  CommandPlan installer;
  bool removeKeyBefore = false;
  bool removeKeyAfter = false;
};

inline constexpr int kPassInPlace = 0;
inline constexpr int kPassFromDriveD = 1;

InstallPlan PlanInstall(int pass, std::wstring_view currentDirectory, const InstallerSettings& settings);

}  // namespace vorlan
