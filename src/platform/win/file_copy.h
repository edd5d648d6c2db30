#pragma once
// File and folder copies shared by the steps.

#include <string>

#include "platform/core/copy_rule.h"

namespace OS {

// Creates a folder with every missing parent. True when the folder exists
// afterwards.
bool CreateDirectories(const std::wstring& path);

bool PathExists(const std::wstring& path);
bool IsDirectory(const std::wstring& path);

// Copies one file, unless the destination already holds it (the same size
// and last-write time, as the system lists both: copy_rule.h), which counts
// as done. Otherwise, with `failIfExists` an existing destination makes the
// copy fail and stays as it was. Without it, a copy that fails onto an
// existing destination clears that file's read-only and system attributes
// (keeping the others) and is tried once more. The destination folder is
// not created. `counts`, when given, gains the file as copied or as already
// there.
bool CopySingleFile(const std::wstring& src, const std::wstring& dst, bool failIfExists,
                    vorlan::CopyCounts* counts = nullptr);

// Copies the tree under `src` into `dst` (created with its parents when
// missing), replacing files of the same name; read-only targets are not
// unprotected. A file the destination already holds (copy_rule.h), judged
// from one listing of each folder on both sides, is left alone; folders
// that exist are not made again. Every other entry is attempted; each file
// or folder that cannot be copied is logged. True only when the source could
// be listed and everything in it was copied or already there. A destination
// that is the source or lies inside it is refused (logged, nothing made or
// copied). `counts`, when given, receives how many files were copied and how
// many were already there.
bool CopyFolderTree(const std::wstring& dst, const std::wstring& src, vorlan::CopyCounts* counts = nullptr);

}  // namespace OS
