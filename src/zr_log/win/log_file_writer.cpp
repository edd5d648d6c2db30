#include "zr_log/win/log_file_writer.h"

#include "platform/core/path_join.h"
#include "platform/win/module_path.h"

namespace zrlog {
namespace {
// After the file could not be opened (folder not creatable, disk full, no
// rights), try again at most this often so that callers are never slowed.
constexpr DWORD kRetryAfterFailureMs = 2000;
}  // namespace

LogFileWriter& LogFileWriter::Instance() {
  // Never destroyed: the process may end (ExitProcess) while another thread
  // is still inside Append.
  static LogFileWriter* instance = new LogFileWriter();
  return *instance;
}

LogFileWriter::LogFileWriter() {
  std::wstring exeDir = OS::GetProgramDirectory();
  if (!exeDir.empty()) folder_ = exeDir + L"\\Log";
}

bool LogFileWriter::EnsureFileFor(const LocalTime& now) {
  std::string name = LogFileName(now);
  if (file_ && name == openName_) return true;
  file_.Close();
  if (folder_.empty()) return false;
  if (failedBefore_ && ::GetTickCount() - lastFailureTick_ < kRetryAfterFailureMs) return false;

  ::CreateDirectoryW(folder_.c_str(), nullptr);
  std::wstring path = folder_ + L"\\" + std::wstring(name.begin(), name.end());
  file_.Reset(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) {
    failedBefore_ = true;
    lastFailureTick_ = ::GetTickCount();
    return false;
  }
  failedBefore_ = false;
  openName_ = name;
  return true;
}

void LogFileWriter::Append(int level, const char* module, const char* message) {
  DWORD savedError = ::GetLastError();
  SYSTEMTIME st;
  ::GetLocalTime(&st);
  LocalTime now{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
  std::string record = FormatRecord(now, level, module ? module : "", ::GetCurrentProcessId(),
                                    ::GetCurrentThreadId(), message ? message : "");
  {
    OS::CriticalSectionLock lock(lock_);
    if (EnsureFileFor(now)) {
      DWORD written = 0;
      if (!::WriteFile(file_.Get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr)) {
        // Disk full or the file went away: reopen on a later call.
        file_.Close();
        failedBefore_ = true;
        lastFailureTick_ = ::GetTickCount();
      }
    }
  }
  ::SetLastError(savedError);  // logging must not disturb the caller's error code
}

}  // namespace zrlog
