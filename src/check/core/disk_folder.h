#pragma once
// A game folder on disk, through the standard file-system library.

#include <filesystem>

#include "check/core/folder_access.h"

namespace vorlan::check {

class DiskFolder : public FolderAccess {
 public:
  explicit DiskFolder(std::filesystem::path root) : root_(std::move(root)) {}

  std::optional<std::string> ReadBytes(const std::wstring& relative, std::size_t limit) const override;
  PathKind Probe(const std::wstring& relative) const override;
  std::wstring Display(const std::wstring& relative) const override;

  // The path of `relative` (backslashes) below the folder.
  std::filesystem::path PathOf(const std::wstring& relative) const;

 private:
  std::filesystem::path root_;
};

}  // namespace vorlan::check
