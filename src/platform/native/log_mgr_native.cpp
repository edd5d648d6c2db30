// The logging facade in the native (host) build of the portable core: the
// module name comes from the running program and messages go, as UTF-8, to
// an output that a test installs; without one, logging does nothing.

#include <cstdlib>
#include <string>

#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/native/native_log_output.h"

namespace vorlan::native {
namespace {
CLogMgr::OutputLogMsgFn g_output = nullptr;

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  for (wchar_t wc : text) {
    auto c = static_cast<char32_t>(wc);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}
}  // namespace

void SetLogOutput(CLogMgr::OutputLogMsgFn output) { g_output = output; }
CLogMgr::OutputLogMsgFn GetLogOutput() { return g_output; }
std::string Utf8(std::wstring_view text) { return ToUtf8(text); }

}  // namespace vorlan::native

CLogMgr& CLogMgr::GetInstance() {
  static CLogMgr instance;
  return instance;
}

CLogMgr::CLogMgr() {
  // The native build has no library to load; the output is looked up per call.
  outputEntry_ = [](const char* message, int level, const char* module) {
    if (auto out = vorlan::native::GetLogOutput()) out(message, level, module);
  };
  moduleName_ = "native";
}

void CLogMgr::ReleaseAtExit() {}

void CLogMgr::LogText(int level, const wchar_t* text) {
  OutputLogMsgFn output = outputEntry_;
  if (!output || !vorlan::native::GetLogOutput()) return;
  const std::string narrow = text ? vorlan::native::Utf8(text) : std::string();
  output(narrow.c_str(), level, moduleName_.c_str());
}
