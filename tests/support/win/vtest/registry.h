#pragma once
// Registry helpers for tests (64-bit view unless asked otherwise).

#include <windows.h>

#include <optional>
#include <string>

namespace vtest {

enum class RegView { Native, Wow32, Wow64 };

std::optional<DWORD> ReadDword(HKEY root, const std::wstring& key, const std::wstring& name,
                               RegView view = RegView::Native);
std::optional<std::wstring> ReadString(HKEY root, const std::wstring& key, const std::wstring& name,
                                       RegView view = RegView::Native);
bool WriteDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value,
                RegView view = RegView::Native);
bool WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value,
                 RegView view = RegView::Native);
bool KeyExists(HKEY root, const std::wstring& key, RegView view = RegView::Native);
void DeleteTree(HKEY root, const std::wstring& key, RegView view = RegView::Native);
void DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name, RegView view = RegView::Native);

}  // namespace vtest
