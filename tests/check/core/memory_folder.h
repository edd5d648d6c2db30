#pragma once
// A game folder held in memory for the checker's tests.

#include <map>
#include <set>
#include <string>

#include "check/core/folder_access.h"
#include "check/core/ini_scan.h"

namespace vorlan::check::test {

class MemoryFolder : public FolderAccess {
 public:
  // Adds a file (and the folders above it).
  void File(const std::wstring& relative, std::string bytes) {
    files_[FoldCase(relative)] = std::move(bytes);
    for (std::size_t slash = relative.find(L'\\'); slash != std::wstring::npos; slash = relative.find(L'\\', slash + 1))
      folders_.insert(FoldCase(relative.substr(0, slash)));
  }
  void Folder(const std::wstring& relative) { folders_.insert(FoldCase(relative)); }

  std::optional<std::string> ReadBytes(const std::wstring& relative, std::size_t limit) const override {
    const auto it = files_.find(FoldCase(relative));
    if (it == files_.end()) return std::nullopt;
    return it->second.substr(0, limit + 1);
  }
  PathKind Probe(const std::wstring& relative) const override {
    if (files_.count(FoldCase(relative))) return PathKind::File;
    return folders_.count(FoldCase(relative)) ? PathKind::Folder : PathKind::Missing;
  }
  std::wstring Display(const std::wstring& relative) const override { return relative; }

 private:
  std::map<std::wstring, std::string> files_;
  std::set<std::wstring> folders_;
};

}  // namespace vorlan::check::test
