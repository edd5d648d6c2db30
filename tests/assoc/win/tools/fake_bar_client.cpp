// Stand-in for the café client library "BarClientDll.dll": exports
// GetPkgFullPath (undecorated __stdcall).
//
// Script (folder named by VORLAN_FAKE_CAFE_CLIENT_DIR): "paths.txt", lines
// "<id>=<path>" in UTF-8; the path is handed out in the system ANSI code page.
// The path "FILL" fills the whole buffer with "C:\" and then "x"s and no
// terminator. Unknown ids give 0.
// Record: "GetPkgFullPath.txt", one line per call: "<id> <size> <zeroed>",
// zeroed being 1 when the buffer held only zeros on entry.

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "cafe_client_script.h"

extern "C" int __stdcall GetPkgFullPath(std::uint32_t pkgId, char* buffer, std::uint32_t size) {
  bool zeroed = true;
  for (std::uint32_t i = 0; i < size; ++i) zeroed = zeroed && buffer[i] == 0;
  cafe::WriteFileBytes(cafe::ScriptFile(L"GetPkgFullPath.txt"),
                       std::to_string(pkgId) + " " + std::to_string(size) + " " + (zeroed ? "1" : "0") + "\n", true);

  std::string paths;
  if (!cafe::ReadFileBytes(cafe::ScriptFile(L"paths.txt"), paths)) return 0;
  std::string key = std::to_string(pkgId) + "=";
  std::size_t at = 0;
  while (at < paths.size()) {
    std::size_t eol = paths.find('\n', at);
    std::string line = paths.substr(at, eol == std::string::npos ? std::string::npos : eol - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(key, 0) == 0) {
      std::string path = line.substr(key.size());
      if (path == "FILL") {
        std::memset(buffer, 'x', size);
        std::memcpy(buffer, "C:\\", size < 3 ? size : 3);
        return 1;
      }
      std::string ansi = cafe::ToCodePage(CP_ACP, cafe::FromCodePage(CP_UTF8, path));
      if (size == 0) return 0;
      std::size_t n = ansi.size() < size - 1 ? ansi.size() : size - 1;
      std::memcpy(buffer, ansi.data(), n);
      buffer[n] = '\0';
      return 1;
    }
    if (eol == std::string::npos) break;
    at = eol + 1;
  }
  return 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
