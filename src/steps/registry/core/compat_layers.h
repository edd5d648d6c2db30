#pragma once
// Step "Compatible": the data of a value under
// ...\Windows NT\CurrentVersion\AppCompatFlags\Layers, named by the full
// path of an executable, holding its compatibility layers
// ("WINXPSP3 RUNASADMIN"). Windows 8 and later write it behind "~ ".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

inline constexpr wchar_t kCompatLayersKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

// Windows 8 (6.2) and later.
bool WantsCompatTilde(unsigned major, unsigned minor);

// The layers the operator wrote, separated by blanks (any number of spaces
// and tabs), in order; a "~" of their own is dropped.
std::vector<std::wstring> CompatLayerWords(std::wstring_view layers);

// The first layer that holds a "," or ";": the step writes it as one layer,
// although it reads as a list of several. None: every layer is a word.
std::optional<std::wstring> CompatLayerWithSeparator(std::wstring_view layers);

// The layers as the operator wrote them, separated by blanks (any number of
// spaces and tabs; a "~" of their own is dropped), joined by single spaces,
// behind "~ " when `tilde`. Empty when no layer is named: the executable's
// value is then removed.
std::wstring CompatLayersData(std::wstring_view layers, bool tilde);

}  // namespace vorlan
