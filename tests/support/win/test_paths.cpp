#include "vtest/test_paths.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "vtest/build_paths.h"
#include "vtest/files.h"

namespace vtest {

std::wstring UnixToWine(const std::string& unixPath) {
  std::wstring w = L"Z:" + FromUtf8(unixPath);
  for (auto& c : w)
    if (c == L'/') c = L'\\';
  return w;
}

std::wstring LauncherExe() { return UnixToWine(VTEST_LAUNCHER_EXE); }
std::wstring ZrLogDll() { return UnixToWine(VTEST_ZR_LOG_DLL); }
std::wstring RecorderExe() { return UnixToWine(VTEST_RECORDER_EXE); }
std::wstring LogProbeExe() { return UnixToWine(VTEST_LOG_PROBE_EXE); }
std::wstring NoExportDll() { return UnixToWine(VTEST_NO_EXPORT_DLL); }
std::wstring ComServerDll() { return UnixToWine(VTEST_COM_SERVER_DLL); }
std::wstring ServiceStandInExe() { return UnixToWine(VTEST_SERVICE_EXE); }
std::wstring NimbraMenuExe() { return UnixToWine(VTEST_NIMBRA_MENU_EXE); }
std::wstring ComponentMgrDll() { return UnixToWine(VTEST_COMPONENT_MGR_DLL); }
std::wstring SourceDir() { return UnixToWine(VTEST_SOURCE_DIR); }

std::wstring PrefixKind() {
  wchar_t value[32] = {};
  ::GetEnvironmentVariableW(L"VORLAN_TEST_PREFIX", value, 32);
  return value[0] ? value : L"win64";
}

bool Is64BitPrefix() {
  BOOL wow = FALSE;
  ::IsWow64Process(::GetCurrentProcess(), &wow);
  return wow != FALSE;
}

std::wstring TestFolderFor(const std::wstring& suffix) {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "no-test";
  return L"C:\\vorlan-tests\\" + FromUtf8(name) + suffix;
}

std::wstring CurrentTestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return info ? FromUtf8(info->name()) : L"no-test";
}

}  // namespace vtest
