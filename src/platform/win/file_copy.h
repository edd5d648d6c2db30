#pragma once
// File and folder copies shared by the steps.

#include <string>

namespace OS {

// Creates a folder with every missing parent. True when the folder exists
// afterwards.
bool CreateDirectories(const std::wstring& path);

bool PathExists(const std::wstring& path);
bool IsDirectory(const std::wstring& path);

// Copies one file. With `failIfExists` an existing destination makes the
// copy fail and stays as it was. Without it, a copy that fails onto an
// existing destination clears that file's read-only and system attributes
// (keeping the others) and is tried once more. The destination folder is
// not created.
bool CopySingleFile(const std::wstring& src, const std::wstring& dst, bool failIfExists);

// Copies the tree under `src` into `dst` (created with its parents when
// missing), replacing files of the same name; read-only targets are not
// unprotected. Every entry is attempted; each file or folder that cannot
// be copied is logged. True only when the source could be listed and
// everything in it was copied. A destination that is the source or lies
// inside it is refused (logged, nothing made or copied).
bool CopyFolderTree(const std::wstring& dst, const std::wstring& src);

}  // namespace OS
