#include "platform/core/path_join.h"

namespace vorlan {

std::wstring PathJoin(std::wstring_view base, std::wstring_view tail) {
  std::size_t lead = tail.find_first_not_of(L'\\');
  std::wstring_view rest = lead == std::wstring_view::npos ? std::wstring_view() : tail.substr(lead);
  if (base.empty()) return std::wstring(tail);
  std::size_t end = base.find_last_not_of(L'\\');
  std::wstring result(base.substr(0, end == std::wstring_view::npos ? 0 : end + 1));
  result += L'\\';
  result += rest;
  return result;
}

std::wstring DirectoryOf(std::wstring_view path) {
  std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

std::wstring ModuleNameOf(std::wstring_view path) {
  std::size_t slash = path.rfind(L'\\');
  std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
  std::size_t dot = name.rfind(L'.');
  if (dot != std::wstring_view::npos) name = name.substr(0, dot);
  return std::wstring(name);
}

bool IsSameOrBelow(std::wstring_view path, std::wstring_view folder) {
  const auto trimmed = [](std::wstring_view text) {
    const std::size_t end = text.find_last_not_of(L'\\');
    return end == std::wstring_view::npos ? std::wstring_view() : text.substr(0, end + 1);
  };
  path = trimmed(path);
  folder = trimmed(folder);
  if (folder.empty() || path.size() < folder.size() || path.substr(0, folder.size()) != folder) return false;
  return path.size() == folder.size() || path[folder.size()] == L'\\';
}

}  // namespace vorlan
