// The option file's own marks and filters, and the registry mark that
// records that the full preparation already ran today.

#include <windows.h>

#include "app/core/command_line.h"
#include "app/core/date_mark.h"
#include "app/core/os_support.h"
#include "app/win/vorlan_dlg.h"
#include "platform/core/log_mgr.h"
#include "platform/win/module_path.h"
#include "platform/win/os_info.h"
#include "platform/win/scoped_resource.h"

namespace {

constexpr wchar_t kMarkKey[] = L"Software\\ZR_Vorlan";

vorlan::CalendarDate TodayUtc() {
  SYSTEMTIME t;
  ::GetSystemTime(&t);
  return {t.wYear, t.wMonth, t.wDay};
}

}  // namespace

bool CVorlanDlg::IsInitVorlan() {
  CLogMgr& log = CLogMgr::GetInstance();
  // Read where WriteTimeToReg writes: the 64-bit view's key when there is
  // one, otherwise the program's own view.
  OS::ScopedRegKey key;
  LONG rc = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMarkKey, 0, KEY_READ | KEY_WOW64_64KEY, key.Receive());
  if (rc != ERROR_SUCCESS) rc = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMarkKey, 0, KEY_READ, key.Receive());
  if (rc != ERROR_SUCCESS) {
    log.Log(16, L"ComponentOption: CVorlanDlg::IsInitVorlan. 游戏启动器未初始化. ErrorCode = %u", rc);
    return false;
  }
  const std::wstring exePath = OS::GetModulePath();
  DWORD data = 0, size = sizeof(data), type = 0;
  rc = ::RegQueryValueExW(key.Get(), exePath.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
  if (rc != ERROR_SUCCESS) {
    log.Log(4, L"ComponentOption: CVorlanDlg::IsInitVorlan.读取游戏启动器初始化标记失败！ModuleFilePath: %s", exePath);
    return false;
  }
  if (vorlan::IsMarkOfDay(data, TodayUtc())) {
    log.Log(4, L"ComponentOption: CVorlanDlg::IsInitVorlan.游戏启动器已初始化.");
    return true;
  }
  log.Log(4, L"ComponentOption: CVorlanDlg::IsInitVorlan.游戏启动器未初始化.");
  return false;
}

bool CVorlanDlg::WriteTimeToReg() {
  CLogMgr& log = CLogMgr::GetInstance();
  OS::ScopedRegKey key;
  LONG rc = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMarkKey, 0, KEY_WRITE | KEY_WOW64_64KEY, key.Receive());
  if (rc != ERROR_SUCCESS)
    rc = ::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kMarkKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr);
  if (rc != ERROR_SUCCESS) {
    log.Log(32, L"CVorlanDlg::WriteTimeToReg. Create Failed. ErrCode = %u", rc);
    return false;
  }
  const vorlan::CalendarDate today = TodayUtc();
  const DWORD value = vorlan::DateMarkValue(today);
  const std::wstring exePath = OS::GetModulePath();
  rc = ::RegSetValueExW(key.Get(), exePath.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  if (rc != ERROR_SUCCESS) {
    log.Log(32, L"CVorlanDlg::WriteTimeToReg SetValue Failed.ErrCode = %u", rc);
    return false;
  }
  log.Log(4, L"CVorlanDlg::WriteTimeToReg Succeed. %s", vorlan::DateMarkText(today));
  return true;
}

bool CVorlanDlg::IsOsSupported() {
  return vorlan::IsOsSupportedBy(options_.ReadString(L"WindowsCfg", L"OsCfg"), OS::GetOsCode(), OS::Is64BitOs());
}

void CVorlanDlg::WriteIsInitComponent(int value) { options_.WriteInt(L"Main", L"IsInitComponent", value); }

unsigned CVorlanDlg::GetGameIdFromCmdLine() {
  const wchar_t* commandLine = ::GetCommandLineW();
  const bool empty = !commandLine || !*commandLine;
  CLogMgr::GetInstance().Log(64, L"CVorlanDlg::GetGameIdFromCmdLine. strCmdLine: %s", empty ? L"NULL" : commandLine);
  const vorlan::GameIdFromCmdLine parsed = vorlan::ParseGameIdFromCmdLine(empty ? L"" : commandLine);
  if (!parsed.newStyleStart) noNewStyleStart_ = true;
  return parsed.gameId;
}
