#pragma once
// A game folder whose option-file values are read through the system's
// private-profile reader, as the launcher reads them.

#include "check/core/disk_folder.h"

namespace vorlan::check {

class ProfileFolder : public DiskFolder {
 public:
  using DiskFolder::DiskFolder;
  std::optional<std::wstring> ReadValue(const std::wstring& relative, const std::wstring& section,
                                        const std::wstring& key) const override;
  std::optional<std::wstring> DecodeAnsi(std::string_view bytes) const override;
};

}  // namespace vorlan::check
