// Folder macros resolved on the running PC, under Wine reporting Windows XP
// or Windows 7, in a 64-bit and a 32-bit prefix. The macros run in a probe
// process of their own (the version Wine reports is chosen per executable
// name); its log is read back from the folder beside it.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "vtest/files.h"
#include "vtest/launcher_run.h"
#include "vtest/log_lines.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD n = ::GetEnvironmentVariableW(name, value, 1024);
  return n > 0 && n < 1024 ? value : L"";
}

struct ProbeRun {
  std::vector<std::wstring> results;
  std::vector<LogLine> log;
  std::vector<std::wstring> macroLines;  // texts of the TranslatePath lines
};

std::vector<std::wstring> SplitLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (std::size_t nl; (nl = text.find(L'\n', start)) != std::wstring::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  return lines;
}

// Runs the probe as <exeName> with Wine reporting `version`.
ProbeRun Probe(const std::wstring& exeName, const std::wstring& version, const std::wstring& command, bool use64,
               const std::vector<std::wstring>& values) {
  const std::wstring dir = TestFolderFor(L"." + exeName);
  RemoveTree(dir);
  MakeDirectories(dir);
  const std::wstring exe = dir + L"\\" + exeName;
  EXPECT_TRUE(::CopyFileW(UnixToWine(STEPS_PROBE_EXE).c_str(), exe.c_str(), FALSE));
  EXPECT_TRUE(::CopyFileW(ZrLogDll().c_str(), (dir + L"\\ZR_log.dll").c_str(), FALSE));
  // Without a version Wine reports its default, Windows 7 (its "win7" setting reports a server edition).
  if (version.empty()) {
    DeleteValue(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\" + exeName, L"Version");
  } else {
    EXPECT_TRUE(WriteString(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\" + exeName, L"Version", version));
  }

  std::wstring cmd = L"\"" + exe + L"\" " + command + (use64 ? L" 1" : L" 0");
  for (const auto& v : values) {
    // Backslashes before the closing quote are doubled, or they would escape it.
    std::size_t trailing = v.size() - std::min(v.size(), v.find_last_not_of(L'\\') + 1);
    cmd += L" \"" + v + std::wstring(trailing, L'\\') + L"\"";
  }
  ProgramRun run = RunProgram(cmd, {.timeoutMs = 30000});
  EXPECT_TRUE(run.started);
  EXPECT_FALSE(run.timedOut);
  EXPECT_EQ(run.exitCode, 0u);

  ProbeRun out;
  out.results = SplitLines(FromUtf8(ReadBytes(exe + L".out")));
  out.log = ReadLogFolder(dir);
  for (const auto& line : out.log) {
    EXPECT_EQ(line.level, 16) << ToUtf8(line.text);
    if (line.text.rfind(L"CVorlanDlg::TranslatePath. ", 0) == 0) out.macroLines.push_back(line.text);
  }
  EXPECT_EQ(out.results.size(), values.size()) << Dump(out.log);
  return out;
}

std::wstring Line(const std::wstring& name, const std::wstring& folder) {
  return L"CVorlanDlg::TranslatePath. " + name + L" --> " + folder + L", ErrorCode 0";
}

}  // namespace

TEST(TranslatePath, EnvironmentRowsOnWindows7) {
  ProbeRun r = Probe(L"Macro7.exe", L"", L"translate", false,
                     {L"$CSIDL_APPDATA$", L"$CSIDL_LOCAL_APPDATA$", L"$CSIDL_COMMON_APPDATA$", L"$CSIDL_WINDOWS$",
                      L"$CSIDL_SYSTEM$", L"$CSIDL_PROFILE$"});
  ASSERT_EQ(r.results.size(), 6u);
  const std::vector<std::wstring> folders = {Env(L"APPDATA"),     Env(L"LOCALAPPDATA"),
                                             Env(L"ProgramData"), Env(L"windir"),
                                             Env(L"windir") + L"\\System32", Env(L"USERPROFILE")};
  EXPECT_EQ(r.results, folders);
  EXPECT_EQ(r.macroLines, (std::vector<std::wstring>{
                              Line(L"appdata", folders[0]), Line(L"localappdata", folders[1]),
                              Line(L"ProgramData", folders[2]), Line(L"windir", folders[3]),
                              Line(L"windir//system32", folders[4]), Line(L"USERPROFILE", folders[5])}))
      << Dump(r.log);
}

TEST(TranslatePath, EnvironmentRowsOnWindowsXP) {
  ProbeRun r = Probe(L"MacroXP.exe", L"winxp", L"translate", false,
                     {L"$CSIDL_LOCAL_APPDATA$", L"$CSIDL_COMMON_APPDATA$", L"$CSIDL_APPDATA$"});
  ASSERT_EQ(r.results.size(), 3u);
  // Local application data is not expanded before Vista: an empty line, then the shell's folder.
  wchar_t shellLocal[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shellLocal);
  EXPECT_EQ(r.results[0], shellLocal);
  EXPECT_FALSE(r.results[0].empty());
  // The common application data lies in the all-users profile.
  const std::wstring common = Env(L"ALLUSERSPROFILE") + L"\\Application Data";
  EXPECT_EQ(r.results[1], common);
  EXPECT_EQ(r.results[2], Env(L"APPDATA"));
  EXPECT_EQ(r.macroLines, (std::vector<std::wstring>{Line(L"localappdata", L""), Line(L"ProgramData", common),
                                                     Line(L"appdata", Env(L"APPDATA"))}))
      << Dump(r.log);
}

TEST(TranslatePath, ProgramFilesRowsWithAndWithoutThe64BitRequest) {
  const std::vector<std::wstring> tokens = {L"$CSIDL_PROGRAM_FILES$", L"$CSIDL_PROGRAM_FILES_COMMON$",
                                            L"$CSIDL_PROGRAM_FILESX86$", L"$CSIDL_PROGRAM_FILES_COMMONX86$"};
  for (const std::wstring version : {L"", L"winxp"}) {
    SCOPED_TRACE(version.empty() ? "win7" : ToUtf8(version));
    ProbeRun plain = Probe(L"MacroPF" + version + L".exe", version, L"translate", false, tokens);
    ProbeRun native = Probe(L"MacroPF64" + version + L".exe", version, L"translate", true, tokens);
    ASSERT_EQ(plain.results.size(), 4u);
    ASSERT_EQ(native.results.size(), 4u);
    if (Is64BitPrefix()) {
      // A 32-bit program: the ordinary names give the x86 folders, the request the native ones.
      EXPECT_EQ(plain.results, (std::vector<std::wstring>{L"C:\\Program Files (x86)", L"C:\\Program Files (x86)\\Common Files",
                                                          L"C:\\Program Files (x86)", L"C:\\Program Files (x86)\\Common Files"}));
      EXPECT_EQ(native.results, (std::vector<std::wstring>{L"C:\\Program Files", L"C:\\Program Files\\Common Files",
                                                           L"C:\\Program Files (x86)", L"C:\\Program Files (x86)\\Common Files"}));
      EXPECT_EQ(native.macroLines, (std::vector<std::wstring>{Line(L"ProgramFiles", L"C:\\Program Files"),
                                                              Line(L"CommonProgramFiles", L"C:\\Program Files\\Common Files")}))
          << Dump(native.log);
    } else {
      // 32-bit Windows has no native folders to ask for: the request falls back to the
      // shell's (ordinary) folders instead of naming the unknown variable.
      const std::vector<std::wstring> ordinary = {L"C:\\Program Files", L"C:\\Program Files\\Common Files",
                                                  L"C:\\Program Files", L"C:\\Program Files\\Common Files"};
      EXPECT_EQ(plain.results, ordinary);
      EXPECT_EQ(native.results, ordinary);
      EXPECT_EQ(native.macroLines, (std::vector<std::wstring>{Line(L"ProgramFiles", L""),
                                                              Line(L"CommonProgramFiles", L"Common Files")}))
          << Dump(native.log);
    }
    EXPECT_EQ(plain.macroLines, (std::vector<std::wstring>{Line(L"ProgramFiles", plain.results[0]),
                                                           Line(L"CommonProgramFiles", plain.results[1])}))
        << Dump(plain.log);
  }
}

TEST(TranslatePath, ShellRowsAreNotLogged) {
  ProbeRun r = Probe(L"MacroShell.exe", L"", L"translate", false,
                     {L"$CSIDL_SYSTEMX86$", L"$CSIDL_FONTS$", L"$CSIDL_MYDOCUMENTS$", L"$CSIDL_COMMON_DOCUMENTS$",
                      L"$csidl_desktopdirectory$"});
  ASSERT_EQ(r.results.size(), 5u);
  EXPECT_EQ(r.results[0], Is64BitPrefix() ? L"C:\\windows\\syswow64" : L"C:\\windows\\system32");
  EXPECT_EQ(r.results[1], Env(L"windir") + L"\\Fonts");
  EXPECT_EQ(r.results[2], Env(L"USERPROFILE") + L"\\Documents");
  EXPECT_EQ(r.results[3], Env(L"PUBLIC") + L"\\Documents");
  EXPECT_EQ(r.results[4], Env(L"USERPROFILE") + L"\\Desktop");
  EXPECT_TRUE(r.macroLines.empty()) << Dump(r.log);
}

TEST(TranslatePath, EmptyAndUnknownTokensLeaveTheFolderAndLogNothing) {
  ProbeRun r = Probe(L"MacroUnknown.exe", L"", L"translate", true,
                     {L"", L"$CSIDL_NOPE$", L"$CSIDL_WINDOWS", L"CSIDL_WINDOWS", L"$CSIDL_WINDOWS$\\x"});
  EXPECT_EQ(r.results, std::vector<std::wstring>(5, L"<untouched>"));
  EXPECT_TRUE(r.log.empty()) << Dump(r.log);
}

TEST(TranslatePath, MacroPrefixedPathsOnThisPC) {
  const std::wstring windir = Env(L"windir");
  ProbeRun r = Probe(L"MacroRule.exe", L"", L"resolve", false,
                     {L"$csidl_windows$Fonts", L"$CSIDL_WINDOWS$\\Fonts", L"$CSIDL_WINDOWS$", L"$CSIDL_WINDOWS$\\",
                      L"$CSIDL_NOPE$\\Data", L"$CSIDL_WINDOWS", L"C:\\plain\\path", L"$$"});
  EXPECT_EQ(r.results, (std::vector<std::wstring>{windir + L"\\Fonts", windir + L"\\Fonts", windir + L"\\",
                                                  windir + L"\\", L"\\Data", L"$CSIDL_WINDOWS", L"C:\\plain\\path",
                                                  L""}));
  EXPECT_EQ(r.macroLines, std::vector<std::wstring>(4, Line(L"windir", windir))) << Dump(r.log);
}

TEST(TranslatePath, AnExpansionLongerThanTheBufferFallsBackToTheShell) {
  // The probe inherits this process's environment.
  const std::wstring saved = Env(L"APPDATA");
  const std::wstring longValue = L"C:\\" + std::wstring(300, L'a');
  ASSERT_TRUE(::SetEnvironmentVariableW(L"APPDATA", longValue.c_str()));
  ProbeRun r = Probe(L"MacroLong.exe", L"", L"translate", false, {L"$CSIDL_APPDATA$"});
  ::SetEnvironmentVariableW(L"APPDATA", saved.c_str());

  wchar_t shell[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shell);
  ASSERT_EQ(r.results.size(), 1u);
  EXPECT_EQ(r.results[0], shell);
  EXPECT_NE(r.results[0], longValue);
  ASSERT_EQ(r.macroLines.size(), 1u) << Dump(r.log);
  EXPECT_EQ(r.macroLines[0].rfind(L"CVorlanDlg::TranslatePath. appdata --> , ErrorCode ", 0), 0u) << Dump(r.log);
}
