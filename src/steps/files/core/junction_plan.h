#pragma once
// Decisions of the junction step that need no Windows: which family of
// sections a client reads, and the command line of a package run.

#include <optional>
#include <string>
#include <string_view>

namespace vorlan {

enum class JunctionVariant {
  Junction,        // sections [Junction], Junction0...
  JunctionOption,  // sections [JunctionOption], JunctionOption0...
};

// [Junction] for a diskless ordinary user (client type 2) and for a client
// whose drives C and E are both restored on reboot; [JunctionOption]
// otherwise. An unreadable client type is `nullopt`.
JunctionVariant ChooseJunctionVariant(std::optional<unsigned long> clientType, bool driveCProtected,
                                      bool driveEProtected);

// What junction creation does with a folder or junction already at the link
// that can be listed: a plain folder is kept unless the mode is 3, a junction
// is kept unless the mode is 1. Keeping counts as success.
bool KeepsExistingLink(bool isJunction, int mode);

// The line logged for the choice.
std::wstring_view VariantLogText(JunctionVariant variant);

// Command line of an option-5 entry: MSIEXEC.EXE /i "<name>" for msi 1,
// the name itself for msi 0, then " <params>" when params are given.
// Any other msi value runs nothing: the result is empty, params or not.
std::wstring PackageCommandLine(std::wstring_view runName, std::wstring_view runParam, int msi);

}  // namespace vorlan
