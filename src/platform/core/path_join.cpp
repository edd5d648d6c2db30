#include "platform/core/path_join.h"

namespace vorlan {

std::wstring PathJoin(std::wstring_view base, std::wstring_view tail) {
  std::size_t lead = tail.find_first_not_of(L'\\');
  std::wstring_view rest = lead == std::wstring_view::npos ? std::wstring_view() : tail.substr(lead);
  if (base.empty()) return std::wstring(tail);
  std::wstring result = WithoutTrailingBackslashes(base);
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

std::wstring WithoutTrailingBackslashes(std::wstring_view path) {
  const std::size_t end = path.find_last_not_of(L'\\');
  return end == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, end + 1));
}

bool IsSameOrBelow(std::wstring_view wholePath, std::wstring_view wholeFolder) {
  const std::wstring path = WithoutTrailingBackslashes(wholePath);
  const std::wstring folder = WithoutTrailingBackslashes(wholeFolder);
  if (folder.empty() || path.size() < folder.size() || path.compare(0, folder.size(), folder) != 0) return false;
  return path.size() == folder.size() || path[folder.size()] == L'\\';
}

}  // namespace vorlan
