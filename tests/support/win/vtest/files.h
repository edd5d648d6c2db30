#pragma once
#include <string>
#include <string_view>

namespace vtest {

// Whole-file helpers. Text is written and read as bytes; the conversions
// choose the encoding: option files are ANSI (code page 936 under the test
// locale), the recorder's records UTF-8.
bool WriteBytes(const std::wstring& path, std::string_view bytes);
std::string ReadBytes(const std::wstring& path);  // empty when missing
bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
bool MakeDirectories(const std::wstring& path);
void RemoveTree(const std::wstring& path);

std::string ToAnsi(std::wstring_view text);  // thread ANSI code page
std::wstring FromAnsi(std::string_view text);
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace vtest
