#include "check/core/disk_folder.h"

#include <fstream>

namespace vorlan::check {

std::filesystem::path DiskFolder::PathOf(const std::wstring& relative) const {
  std::filesystem::path path = root_;
  std::wstring part;
  for (wchar_t c : relative + L"\\") {
    if (c == L'\\' || c == L'/') {
      if (!part.empty()) path /= part;
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  return path;
}

std::optional<std::string> DiskFolder::ReadBytes(const std::wstring& relative, std::size_t limit) const {
  const std::filesystem::path path = PathOf(relative);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(limit + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

PathKind DiskFolder::Probe(const std::wstring& relative) const {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(PathOf(relative), ec);
  if (ec || !std::filesystem::exists(status)) return PathKind::Missing;
  return std::filesystem::is_directory(status) ? PathKind::Folder : PathKind::File;
}

std::wstring DiskFolder::Display(const std::wstring& relative) const { return PathOf(relative).wstring(); }

}  // namespace vorlan::check
