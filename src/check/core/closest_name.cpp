#include "check/core/closest_name.h"

#include <algorithm>
#include <vector>

#include "check/core/ini_scan.h"

namespace vorlan::check {
namespace {

// Edit distance with case ignored; long names are not compared.
std::size_t Distance(std::wstring_view a, std::wstring_view b) {
  const std::wstring x = FoldCase(a), y = FoldCase(b);
  std::vector<std::size_t> row(y.size() + 1);
  for (std::size_t j = 0; j <= y.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= x.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= y.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0u : 1u)});
      diagonal = above;
    }
  }
  return row[y.size()];
}

}  // namespace

std::wstring ClosestName(std::wstring_view name, std::span<const std::wstring_view> candidates) {
  if (name.empty() || name.size() > 64) return {};
  std::wstring best;
  std::size_t bestDistance = std::max<std::size_t>(2, name.size() / 3) + 1;
  for (std::wstring_view candidate : candidates) {
    if (EqualsNoCase(candidate, name)) return std::wstring(candidate);
    const std::size_t d = Distance(name, candidate);
    if (d < bestDistance) {
      bestDistance = d;
      best = candidate;
    }
  }
  return best;
}

}  // namespace vorlan::check
