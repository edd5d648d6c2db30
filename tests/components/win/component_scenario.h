#pragma once
// Helpers shared by the tests of the "Component" step: a game folder whose
// pipeline runs "Component" and then "Main", with a component catalogue,
// registry keys of the test's own and the "ComponentOption:" lines of a run.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../app/win/launcher_scenario.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/log_lines.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

namespace components_test {

inline std::wstring Widen(const char* text) { return vtest::FromUtf8(text); }

// "<Suite>.<Case>" of the running test.
inline std::wstring TestName() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return Widen(info->test_suite_name()) + L"." + Widen(info->name());
}

// A registry key of this test's own under HKLM\Software\VorlanTests (as the
// launcher names it, without the hive).
inline std::wstring TestKey(const std::wstring& leaf = L"") {
  std::wstring key = L"Software\\VorlanTests\\" + TestName();
  return leaf.empty() ? key : key + L"\\" + leaf;
}

// Removes this test's keys in both views when made and when gone.
class TestKeys {
 public:
  TestKeys() { Clear(); }
  ~TestKeys() { Clear(); }
  static void Clear() {
    vtest::DeleteTree(HKEY_LOCAL_MACHINE, TestKey(), vtest::RegView::Wow32);
    vtest::DeleteTree(HKEY_LOCAL_MACHINE, TestKey(), vtest::RegView::Wow64);
  }
};

// The option file of a game whose preparation runs "Component" then "Main".
inline constexpr wchar_t kComponentThenMain[] =
    L"[Main]\r\nIsShow=0\r\n"
    L"[ProcessMgr]\r\nArgc=1\r\n"
    L"[ProcessMgr_0]\r\nArgc=2\r\nArgument_0=Component\r\nArgument_1=Main\r\n";

// A game folder with the launcher, the option file above (unless told
// otherwise) and no launch mark, so the full preparation runs.
class ComponentGame : public vtest::GameFolder {
 public:
  explicit ComponentGame(vtest::GameFolderOptions options = {}) : vtest::GameFolder(std::move(options)) {
    scenario::ClearLaunchMark(*this);
    WriteOptionFile(kComponentThenMain);
  }
  ~ComponentGame() { scenario::ClearLaunchMark(*this); }
  void WriteCatalogue(std::wstring_view content) const { WriteText(L"VorlanComponent.ini", content); }
};

// The component step's own lines of a run, in order.
inline std::vector<vtest::LogLine> ComponentLogLines(const std::vector<vtest::LogLine>& log) {
  std::vector<vtest::LogLine> lines;
  for (const auto& line : log)
    if (line.text.rfind(L"ComponentOption: CConfig::", 0) == 0 || line.text.rfind(L"ComponentOption: CComponent::", 0) == 0)
      lines.push_back(line);
  return lines;
}
inline std::vector<std::wstring> ComponentLines(const std::vector<vtest::LogLine>& log) {
  return vtest::Texts(ComponentLogLines(log));
}

inline std::wstring Load(const std::wstring& text) {
  return L"ComponentOption: CConfig::GetComponentInfoFromIniFile. " + text;
}
inline std::wstring Check(const std::wstring& text) { return L"ComponentOption: CConfig::CheckComponentInfo. " + text; }
inline std::wstring Installed(const std::wstring& name) { return Check(L"组件[" + name + L"]已安装 nNotinstalled= 0"); }
inline std::wstring Missing(const std::wstring& name) { return Check(L"组件[" + name + L"]未安装 nNotinstalled= 1"); }
inline std::wstring MissingFile(const std::wstring& name, unsigned error, const std::wstring& file) {
  return Check(L"组件[" + name + L"]未安装 nNotinstalled= 1, " + std::to_wstring(error) + L", " + file);
}
inline std::wstring Mark(unsigned mark, const std::wstring& nick) {
  return Load(L"InstallMark：" + std::to_wstring(mark) + L", NickName: " + nick);
}
inline std::wstring Count(int n) { return Load(L"componentNum：" + std::to_wstring(n)); }
inline std::wstring NCheck(int n) { return L"ComponentOption: CComponent::Setup. nCheck=" + std::to_wstring(n); }
inline std::wstring Install(const std::wstring& text) { return L"ComponentOption: CComponent::InstllComponent. " + text; }
inline std::wstring Started(const std::wstring& commandLine, int started = 1) {
  return Install(L"strComLine: " + commandLine + L", " + std::to_wstring(started));
}
inline std::wstring Copied(int started = 1) {
  return Install(L"First Install component failed. Copy flie to D and try again. " + std::to_wstring(started));
}

inline constexpr wchar_t kWriteTimeToReg[] = L"CVorlanDlg::WriteTimeToReg Succeed. ";
inline constexpr wchar_t kMainEnd[] = L"CVorlanDlg::ProcessManage.已执行最终运行程序 ";
inline constexpr wchar_t kComponentEnd[] = L"CVorlanDlg::ProcessManage.已执行组件安装 ";

// Position of the first line that begins with `prefix`, or -1.
inline int FindPrefix(const std::vector<vtest::LogLine>& log, const std::wstring& prefix) {
  for (std::size_t i = 0; i < log.size(); ++i)
    if (log[i].text.rfind(prefix, 0) == 0) return static_cast<int>(i);
  return -1;
}

inline std::size_t CountPrefix(const std::vector<vtest::LogLine>& log, const std::wstring& prefix) {
  return vtest::LinesStartingWith(log, prefix).size();
}

}  // namespace components_test
