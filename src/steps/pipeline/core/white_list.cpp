#include "steps/pipeline/core/white_list.h"

namespace vorlan {

std::vector<std::wstring> SplitStepList(std::wstring_view list) {
  std::vector<std::wstring> names;
  std::size_t start = 0;
  for (;;) {
    std::size_t comma = list.find(L',', start);
    if (comma == std::wstring_view::npos) {
      names.emplace_back(list.substr(start));
      return names;
    }
    names.emplace_back(list.substr(start, comma - start));
    start = comma + 1;
  }
}

std::vector<std::wstring> WhiteListSteps(std::wstring_view exclude, bool runMain, bool runMap) {
  std::vector<std::wstring> steps;
  if (exclude.empty()) {
    if (runMain) steps.emplace_back(L"Main");
    return steps;
  }
  for (auto& name : SplitStepList(exclude)) {
    if (name == L"Main" && !runMain) continue;
    if (name == L"Map" && !runMap) continue;
    steps.push_back(std::move(name));
  }
  return steps;
}

}  // namespace vorlan
