#include "steps/registry/core/compat_layers.h"

namespace vorlan {

bool WantsCompatTilde(unsigned major, unsigned minor) { return major > 6 || (major == 6 && minor >= 2); }

std::vector<std::wstring> CompatLayerWords(std::wstring_view layers) {
  std::vector<std::wstring> words;
  std::size_t i = 0;
  while (i < layers.size()) {
    if (layers[i] == L' ' || layers[i] == L'\t') {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < layers.size() && layers[i] != L' ' && layers[i] != L'\t') ++i;
    const std::wstring_view word = layers.substr(start, i - start);
    if (word != L"~") words.emplace_back(word);
  }
  return words;
}

std::optional<std::wstring> CompatLayerWithSeparator(std::wstring_view layers) {
  for (std::wstring& word : CompatLayerWords(layers))
    if (word.find_first_of(L",;") != std::wstring::npos) return std::move(word);
  return std::nullopt;
}

std::wstring CompatLayersData(std::wstring_view layers, bool tilde) {
  std::wstring joined;
  for (const std::wstring& word : CompatLayerWords(layers)) {
    if (!joined.empty()) joined += L' ';
    joined += word;
  }
  if (joined.empty() || !tilde) return joined;
  return L"~ " + joined;
}

}  // namespace vorlan
