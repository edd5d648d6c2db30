#pragma once
// NTFS directory junctions (mount points).

#include <optional>
#include <string>

enum class JunctionOutcome {
  Failed,
  Created,  // a junction now points from the link to the target
  Kept,     // a folder or junction found at the link was kept
};

// Creates a junction at `link` pointing to `target`. `mode` is the entry's
// option: an existing plain folder that can be listed is kept unless the
// mode is 3, an existing working junction is kept unless the mode is 1.
// On failure the link folder is removed again when it is empty (never a
// folder that is itself a junction).
JunctionOutcome CreateJunction(const std::wstring& link, const std::wstring& target, int mode);

// Removes the junction at `path`; the folder itself stays. True only when a
// junction was there and was removed.
bool RemoveJunction(const std::wstring& path);

// The substitute name ("\??\C:\...") of the junction at `path`, nullopt when
// there is none or it cannot be read.
std::optional<std::wstring> JunctionTarget(const std::wstring& path);

// Holds nothing but "." and "..".
bool IsEmptyFolder(const std::wstring& path);

// The path carries the reparse-point attribute.
bool IsReparsePoint(const std::wstring& path);
// The path is a reparse point whose folder can be listed (its target is
// reachable).
bool IsWorkingJunction(const std::wstring& path);
// A search for path\*.* finds anything.
bool CanEnumerate(const std::wstring& path);
