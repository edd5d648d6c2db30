#pragma once
// Step "Compatible": the data of a value under
// ...\Windows NT\CurrentVersion\AppCompatFlags\Layers, named by the full
// path of an executable, holding its compatibility layers
// ("WINXPSP3 RUNASADMIN"). Windows 8 and later write it behind "~ ".

#include <string>
#include <string_view>

namespace vorlan {

inline constexpr wchar_t kCompatLayersKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";

// Windows 8 (6.2) and later.
bool WantsCompatTilde(unsigned major, unsigned minor);

// The layers as the operator wrote them, separated by blanks (any number of
// spaces and tabs; a "~" of their own is dropped), joined by single spaces,
// behind "~ " when `tilde`. Empty when no layer is named: the executable's
// value is then removed.
std::wstring CompatLayersData(std::wstring_view layers, bool tilde);

}  // namespace vorlan
