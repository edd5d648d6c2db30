#pragma once
// The known name an operator most likely meant.

#include <span>
#include <string>
#include <string_view>

namespace vorlan::check {

// The candidate nearest to `name` (a difference of case only counts as
// nearest of all), or empty when none is near enough to be a slip.
std::wstring ClosestName(std::wstring_view name, std::span<const std::wstring_view> candidates);

}  // namespace vorlan::check
