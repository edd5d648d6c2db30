#include "platform/win/code_page.h"

#include <windows.h>

#include <climits>

namespace OS {
namespace {

std::string ToCodePage(UINT codePage, std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) return std::string();
  int wideLen = static_cast<int>(text.size());
  int n = ::WideCharToMultiByte(codePage, 0, text.data(), wideLen, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<std::size_t>(n), '\0');
  n = ::WideCharToMultiByte(codePage, 0, text.data(), wideLen, out.data(), n, nullptr, nullptr);
  if (n <= 0) return std::string();
  out.resize(static_cast<std::size_t>(n));
  return out;
}

std::wstring FromCodePage(UINT codePage, std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return std::wstring();
  int len = static_cast<int>(text.size());
  int n = ::MultiByteToWideChar(codePage, 0, text.data(), len, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  n = ::MultiByteToWideChar(codePage, 0, text.data(), len, out.data(), n);
  if (n <= 0) return std::wstring();
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace

std::string ToThreadAnsi(std::wstring_view text) { return ToCodePage(CP_THREAD_ACP, text); }
std::wstring FromThreadAnsi(std::string_view text) { return FromCodePage(CP_THREAD_ACP, text); }
std::string ToSystemAnsi(std::wstring_view text) { return ToCodePage(CP_ACP, text); }
std::wstring FromSystemAnsi(std::string_view text) { return FromCodePage(CP_ACP, text); }

}  // namespace OS
