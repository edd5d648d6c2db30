#pragma once
// The process-wide logging facade.
//
// Every part of the program reports through CLogMgr::GetInstance().Log(level,
// format, args...). The text is formatted (cut at 32767 characters),
// converted to the calling thread's ANSI code page and handed, with the level
// and the program's module name, to OutputLogMsg of the logging library
// "ZR_log.dll" beside the executable. Without that library every call returns
// at once. After creation the object is never changed, so calls need no lock.

#include <string>
#include <type_traits>

#include "platform/core/wformat.h"

#if defined(_WIN32)
#define VORLAN_STDCALL __stdcall
#else
#define VORLAN_STDCALL
#endif

class CLogMgr {
 public:
  using OutputLogMsgFn = void(VORLAN_STDCALL*)(const char* message, int level, const char* moduleName);

  // Characters of the formatting buffer, terminator included.
  static constexpr std::size_t kBufferChars = 32768;

  static CLogMgr& GetInstance();

  template <class... Args>
  void Log(int level, vorlan::fmt::WFormatString<std::type_identity_t<Args>...> format, const Args&... args) {
    if (!outputEntry_) return;  // nothing would be written: skip the formatting
    wchar_t buffer[kBufferChars];
    vorlan::fmt::FormatTo<Args...>(buffer, kBufferChars, format, args...);
    LogText(level, buffer);
  }

  void LogText(int level, const wchar_t* text);

  const std::string& ModuleName() const { return moduleName_; }
  bool HasOutput() const { return outputEntry_ != nullptr; }

  CLogMgr(const CLogMgr&) = delete;
  CLogMgr& operator=(const CLogMgr&) = delete;

 private:
  CLogMgr();
  static void ReleaseAtExit();

  std::string moduleName_;
  [[maybe_unused]] void* reserveEntry_ = nullptr;
  OutputLogMsgFn outputEntry_ = nullptr;
  [[maybe_unused]] void* library_ = nullptr;
};
