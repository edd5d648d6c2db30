#pragma once
// Helpers of the registry script tests under Wine: files made from entries,
// and raw registry reads.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "pkg_reg/core/pkg_reg.h"

namespace pkgreg_test {

using Bytes = std::vector<std::uint8_t>;

// An entry whose name and data are given as wide text in the thread's ANSI
// code page, as the files carry them.
CPkgRegEntry AnsiEntry(std::uint8_t flag, std::uint32_t type, const std::wstring& name, const std::string& data);

// Writes a valid registry script file holding the entries.
void WritePkgRegFile(const std::wstring& path, std::vector<CPkgRegEntry> entries);

struct RawValue {
  DWORD type = 0;
  Bytes bytes;
};
std::optional<RawValue> ReadRawValue(HKEY root, const std::wstring& key, const std::wstring& name);
// Value names of a key as stored, "" for the default value.
std::vector<std::wstring> ValueNames(HKEY root, const std::wstring& key);

}  // namespace pkgreg_test
