// The checker on game folders with one mistake each: the findings it gives,
// with file, line and severity.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "check/core/finding.h"
#include "check/core/option_rules.h"
#include "pkg_reg/core/pkg_reg.h"
#include "memory_folder.h"

namespace vorlan::check {
namespace {

// A folder that checks clean; each case changes one thing.
const std::string kCleanCfg =
    "; clean\r\n"                      // 1
    "[Main]\r\n"                       // 2
    "GameExe=Game.exe\r\n"             // 3
    "BeforeExePath=bin\r\n"            // 4
    "RunOption=0\r\n"                  // 5
    "[WindowsCfg]\r\n"                 // 6
    "OsCfg=3,7,8\r\n"                  // 7
    "[ProcessMgr]\r\n"                 // 8
    "Argc=2\r\n"                       // 9
    "[ProcessMgr_0]\r\n"               // 10
    "Argc=2\r\n"                       // 11
    "Argument_0=Copy\r\n"              // 12
    "Argument_1=Component\r\n"         // 13
    "[ProcessMgr_1]\r\n"               // 14
    "Argc=1\r\n"                       // 15
    "Argument_0=Main\r\n"              // 16
    "[Control]\r\n"                    // 17
    "Exclude=Main\r\n"                 // 18
    "[Copy]\r\n"                       // 19
    "Num=1\r\n"                        // 20
    "[Copy0]\r\n"                      // 21
    "SkipOS=0\r\n"                     // 22
    "Src=save\r\n"                     // 23
    "Dst=$CSIDL_APPDATA$\\Game\r\n";   // 24

const std::string kCleanComponents =
    "; catalogue\n"                    // 1
    "[Public]\nLanguage=Chinese\n"     // 2-3
    "[Chinese]\nDirectX=DirectX 9\n"   // 4-5
    "[Argument]\nArgc=1\nArgument_0=DirectX\n"  // 6-8
    "[install]\nDirectX=1\n"           // 9-10
    "[DirectX]\ntype=filefind\npath=system32\\d3dx9_\ncount=1\nstart=24\nlast=.dll\nwindir=1\n"  // 11-17
    "local=redist\\dx\nexe=DXSETUP.exe\nparameter=/silent\n";  // 18-20

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at == std::string::npos) throw std::logic_error("not in the clean file: " + from);
  return text.replace(at, from.size(), to);
}

test::MemoryFolder CleanFolder(const std::string& cfg, const std::string& components = kCleanComponents) {
  test::MemoryFolder folder;
  folder.File(L"VorlanCfg.ini", cfg);
  folder.File(L"VorlanComponent.ini", components);
  folder.File(L"bin\\Game.exe", "MZ");
  folder.File(L"redist\\dx\\DXSETUP.exe", "MZ");
  folder.Folder(L"save");
  return folder;
}

struct Expected {
  std::wstring file;
  int line;
  Severity severity;
  std::wstring text;   // part of the message
  bool whole = false;  // the whole message
};

struct Case {
  const char* name;
  std::function<test::MemoryFolder()> folder;
  std::vector<Expected> findings;  // all of them, in order
};

constexpr auto E = Severity::Error;
constexpr auto W = Severity::Warning;
const std::wstring kCfg = L"VorlanCfg.ini";
const std::wstring kComp = L"VorlanComponent.ini";

// The clean folder with `step` in the white list, the sections after it,
// and the files `files` names.
test::MemoryFolder WithStep(const std::string& step, const std::string& sections,
                            const std::vector<std::pair<std::wstring, std::string>>& files = {}) {
  test::MemoryFolder folder = CleanFolder(Replace(kCleanCfg, "Exclude=Main", "Exclude=" + step + ",Main") + sections);
  for (const auto& [path, bytes] : files) folder.File(path, bytes);
  return folder;
}
constexpr bool kWhole = true;
const std::string kRegFile = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Game]\r\n\"Path\"=\"C:\\\\Game\"\r\n";

// A package registry file of no entries, as the engine writes it.
std::string EmptyPackageRegistryFile() {
  const std::vector<std::uint8_t> bytes = *CPkgReg().ToFileBytes();
  return std::string(bytes.begin(), bytes.end());
}

std::string Utf16Le(const std::string& ascii, bool bom) {
  std::string out = bom ? "\xFF\xFE" : "";
  for (char c : ascii) out += std::string{c, '\0'};
  return out;
}

const Case kCases[] = {
    {"clean", [] { return CleanFolder(kCleanCfg); }, {}},
    {"step name in the wrong case",
     [] { return CleanFolder(Replace(kCleanCfg, "Argument_0=Copy", "Argument_0=copy")); },
     {{kCfg, 12, E, L"unknown step \"copy\" (step names are case-sensitive); did you mean \"Copy\"?"},
      {kCfg, 19, W, L"[Copy] is read only by the step \"Copy\""}}},
    {"misspelt step in the white list",
     [] { return CleanFolder(Replace(kCleanCfg, "Exclude=Main", "Exclude=Junctoin,Main")); },
     {{kCfg, 18, E, L"unknown step \"Junctoin\" (step names are case-sensitive); did you mean \"Junction\"?"}}},
    {"copy count above the entries",
     [] { return CleanFolder(Replace(kCleanCfg, "Num=1", "Num=3")); },
     {{kCfg, 20, E, L"\"Num\"=3 in [Copy], but 2 are missing: [Copy1], [Copy2]"}}},
    {"entry beyond the count",
     [] { return CleanFolder(kCleanCfg + "[Copy1]\r\nSrc=save\r\nDst=C:\\x\r\n"); },
     {{kCfg, 25, W, L"[Copy1] is not read: \"Num\" of [Copy] is 1"}}},
    {"sub-process missing",
     [] { return CleanFolder(Replace(kCleanCfg, "[ProcessMgr]\r\nArgc=2", "[ProcessMgr]\r\nArgc=3")); },
     {{kCfg, 9, E, L"but 1 is missing: [ProcessMgr_2]"}}},
    {"step key missing in a sub-process",
     [] { return CleanFolder(Replace(kCleanCfg, "Argc=1\r\nArgument_0=Main", "Argc=2\r\nArgument_0=Main")); },
     {{kCfg, 15, E, L"\"Argc\"=2 in [ProcessMgr_1], but 1 is missing: \"Argument_1\""}}},
    {"count beyond the cap",
     [] { return CleanFolder(Replace(kCleanCfg, "[ProcessMgr]\r\nArgc=2", "[ProcessMgr]\r\nArgc=65")); },
     {{kCfg, 9, W, L"\"Argc\"=65 is more than 64: only the first 64 are read"},
      {kCfg, 9, E, L"but 62 are missing: [ProcessMgr_2], [ProcessMgr_3], [ProcessMgr_4], ..."}}},
    {"copy source missing",
     [] { return CleanFolder(Replace(kCleanCfg, "Src=save", "Src=saves")); },
     {{kCfg, 23, E, L"source \"saves\" does not exist below the program directory"}}},
    {"copy of a folder named as a file",
     [] { return CleanFolder(Replace(kCleanCfg, "SkipOS=0", "IsFile=1")); },
     {{kCfg, 23, E, L"source \"save\" is not a file"}}},
    {"game program missing",
     [] { return CleanFolder(Replace(kCleanCfg, "BeforeExePath=bin", "BeforeExePath=bin64")); },
     {{kCfg, 3, E, L"game program \"bin64\\Game.exe\" does not exist"}}},
    {"64-bit game keys empty",
     [] { return CleanFolder(Replace(kCleanCfg, "RunOption=0", "RunOption=0\r\nIsCloseRedirection=1")); },
     {{kCfg, 2, E, L"[Main] \"GameExe64\" is empty"}}},
    {"unknown macro",
     [] { return CleanFolder(Replace(kCleanCfg, "$CSIDL_APPDATA$", "$CSIDL_APPDAT$")); },
     {{kCfg, 24, E, L"unknown folder macro $CSIDL_APPDAT$; did you mean $CSIDL_APPDATA$?"}}},
    {"relative destination",
     [] { return CleanFolder(Replace(kCleanCfg, "Dst=$CSIDL_APPDATA$\\Game", "Dst=Game")); },
     {{kCfg, 24, W, L"\"Dst\" is neither absolute nor a folder macro"}}},
    {"display value that is no number",
     [] { return CleanFolder(Replace(kCleanCfg, "Exclude=Main", "Exclude=Display,Main") + "[Display]\r\nHeight=768\r\nWidth=1024x\r\n"); },
     {{kCfg, 27, E, L"\"Width=1024x\" is not a number of 0 or more: the \"Display\" step fails"}}},
    {"no OS code in SkipOS",
     [] { return CleanFolder(Replace(kCleanCfg, "SkipOS=0", "SkipOS=9")); },
     {{kCfg, 22, E, L"\"9\" is no OS code"}}},
    {"trailing comma in OsCfg",
     [] { return CleanFolder(Replace(kCleanCfg, "OsCfg=3,7,8", "OsCfg=3,7,")); },
     {{kCfg, 7, W, L"an empty entry in \"OsCfg\" reads as 0"}}},
    {"no OS code in OsCfg",
     [] { return CleanFolder(Replace(kCleanCfg, "OsCfg=3,7,8", "OsCfg=3,XP,9")); },
     {{kCfg, 7, E, L"\"XP\" in \"OsCfg\" is no OS code"}, {kCfg, 7, E, L"\"9\" in \"OsCfg\" is no OS code"}}},
    {"comment after a value",
     [] { return CleanFolder(Replace(kCleanCfg, "Dst=$CSIDL_APPDATA$\\Game", "Dst=$CSIDL_APPDATA$\\Game ; profile")); },
     {{kCfg, 24, W, L"text after the value of \"Dst\" looks like a comment"}}},
    {"comment after an integer",
     [] { return CleanFolder(Replace(kCleanCfg, "Num=1", "Num=1 ; one")); },
     {{kCfg, 20, W, L"text after the value of \"Num\" looks like a comment"}}},
    {"integer with letters",
     [] { return CleanFolder(Replace(kCleanCfg, "RunOption=0", "RunOption=1x")); },
     {{kCfg, 5, W, L"\"RunOption=1x\" is read as the integer 1"}}},
    {"section written twice",
     [] { return CleanFolder(kCleanCfg + "[Main]\r\n"); },
     {{kCfg, 25, W, L"[Main] is written twice (first on line 2)"}}},
    {"long value",
     [] { return CleanFolder(Replace(kCleanCfg, "RunOption=0", "RunOption=0\r\nParam=" + std::string(1024, 'x'))); },
     {{kCfg, 6, W, L"\"Param\" is 1024 characters long: the launcher reads the first 1023"}}},
    {"unknown key",
     [] { return CleanFolder(Replace(kCleanCfg, "Num=1", "Num=1\r\nNmu=1")); },
     {{kCfg, 21, W, L"unknown key \"Nmu\" in [Copy]; did you mean \"Num\"?"}}},
    {"unknown section",
     [] { return CleanFolder(kCleanCfg + "[Cpoy2]\r\n"); },
     {{kCfg, 25, W, L"[Cpoy2] is not read by the launcher"}}},
    {"sub-process section without its underscore",
     [] { return CleanFolder(Replace(kCleanCfg, "[ProcessMgr_1]", "[ProcessMgr1]")); },
     {{kCfg, 9, E, L"but 1 is missing: [ProcessMgr_1]"},
      {kCfg, 9, W, L"no sub-process lists \"Main\""},
      {kCfg, 14, W, L"[ProcessMgr1] is not read by the launcher; did you mean [ProcessMgr_1]?"}}},
    {"copy entry with an underscore",
     [] { return CleanFolder(Replace(kCleanCfg, "[Copy0]", "[Copy_0]")); },
     {{kCfg, 20, E, L"but 1 is missing: [Copy0]"},
      {kCfg, 21, W, L"[Copy_0] is not read by the launcher; did you mean [Copy0]?"}}},
    {"blank after a comma of the white list",
     [] { return CleanFolder(Replace(kCleanCfg, "Exclude=Main", "Exclude=Copy, Main")); },
     {{kCfg, 18, E, L"unknown step \" Main\" (step names are case-sensitive); did you mean \"Main\"?"},
      {kCfg, 18, W, L"\"Exclude\" does not list \"Main\""}}},
    {"listed step without its section",
     [] { return CleanFolder(Replace(kCleanCfg, "Argument_1=Component", "Argument_1=PreLoad")); },
     {{kCfg, 13, W, L"step \"PreLoad\" is listed, but [PreLoad] is missing: it does nothing"}}},
    {"white list without Main",
     [] { return CleanFolder(Replace(kCleanCfg, "Exclude=Main", "Exclude=Copy")); },
     {{kCfg, 18, W, L"\"Exclude\" does not list \"Main\""}}},
    {"component type in the wrong case",
     [] { return CleanFolder(kCleanCfg, Replace(kCleanComponents, "type=filefind", "type=FileFind")); },
     {{kComp, 12, E, L"\"type\"=FileFind is neither \"regread\" nor \"filefind\" (lower case): the component is never checked; did you mean \"filefind\"?"}}},
    {"component section missing",
     [] { return CleanFolder(kCleanCfg, Replace(kCleanComponents, "Argument_0=DirectX", "Argument_0=DirectX9")); },
     {{kComp, 8, E, L"the component section [DirectX9] is missing"}}},
    {"installer missing",
     [] { return CleanFolder(kCleanCfg, Replace(kCleanComponents, "exe=DXSETUP.exe", "exe=dxsetup2.exe")); },
     {{kComp, 19, E, L"installer \"redist\\dx\\dxsetup2.exe\" does not exist"}}},
    {"component listed, catalogue missing",
     [] {
       test::MemoryFolder folder;
       folder.File(L"VorlanCfg.ini", kCleanCfg);
       folder.File(L"bin\\Game.exe", "MZ");
       folder.Folder(L"save");
       return folder;
     },
     {{kCfg, 13, E, L"there is no VorlanComponent.ini"}}},
    // Values the reference does not allow, and the steps' own judgements.
    {"run option none of the documented ones",
     [] { return CleanFolder(Replace(kCleanCfg, "RunOption=0", "RunOption=5")); },
     {{kCfg, 5, W, L"\"RunOption\"=5 in [Main] is none of 0 to 3: the game is started as with 0", kWhole}}},
    {"junction option 5 in a plain junction entry",
     [] { return WithStep("Junction", "[Junction]\r\nNum=1\r\n[Junction0]\r\nSrc=save\r\nDst=C:\\x\r\nOption=5\r\n"); },
     {{kCfg, 30, E, L"\"Option\"=5 in [Junction0] is none of 0 to 4", kWhole}}},
    {"msi that is neither 0 nor 1",
     [] {
       return WithStep("Junction", "[JunctionOption]\r\nNum=1\r\n[JunctionOption0]\r\nOption=5\r\nRunName=save\\setup.exe\r\nmsi=2\r\n",
                       {{L"save\\setup.exe", "MZ"}});
     },
     {{kCfg, 30, E, L"\"msi\"=2 in [JunctionOption0] is none of 0 and 1", kWhole}}},
    {"map drive that is no drive letter",
     [] { return WithStep("Map", "[Map]\r\nDrive=QQ\r\n"); },
     {{kCfg, 26, E, L"step \"Map\" fails [Map]: \"QQ\" is not a drive letter", kWhole}}},
    {"service start the step does not know",
     [] {
       return WithStep("RegService", "[RegService]\r\nNum=1\r\n[RegService0]\r\nName=Guard\r\nFile=guard.sys\r\nStart=boot\r\n",
                       {{L"guard.sys", "MZ"}});
     },
     {{kCfg, 30, E, L"step \"RegService\" fails [RegService0]: unknown start", kWhole}}},
    {"registry value of a type the step does not know",
     [] { return WithStep("keys", "[keys]\r\nNum=1\r\n[keys0]\r\nKey=HKCU\\Software\\Game\r\nType=qword\r\nData=1\r\n"); },
     {{kCfg, 29, E, L"step \"keys\" fails [keys0]: unknown type", kWhole}}},
    {"registry value under no root",
     [] { return WithStep("GamePath", "[GamePath]\r\nNum=1\r\n[GamePath0]\r\nKey=Software\\Game\r\nName=Path\r\n"); },
     {{kCfg, 28, E, L"step \"GamePath\" fails [GamePath0]: bad key (a root and a path below it)", kWhole}}},
    {"long CD key read whole by the keys step",
     [] { return WithStep("keys", "[keys]\r\nNum=1\r\n[keys0]\r\nKey=HKCU\\Software\\Game\r\nData=" + std::string(2000, 'K') + "\r\n"); },
     {}},
    {"registry file that does not exist",
     [] { return WithStep("ImportReg", "[ImportReg]\r\nNum=1\r\n[ImportReg0]\r\nFile=reg\\game.reg\r\n"); },
     {{kCfg, 28, E, L"file \"reg\\game.reg\" does not exist below the program directory", kWhole}}},
    {"RegDll time limit outside 1 to 600",
     [] { return WithStep("RegDll", "[RegDll]\r\nNum=1\r\n[RegDll0]\r\nFile=bin\\Game.exe\r\nTimeOut=900\r\n"); },
     {{kCfg, 29, W, L"\"TimeOut\"=900 in [RegDll0] is not 1 to 600: regsvr32 is waited for 30 s", kWhole}}},
    {"compatibility layers separated by a comma",
     [] { return WithStep("Compatible", "[Compatible]\r\nNum=1\r\n[Compatible0]\r\nExe=bin\\Game.exe\r\nLayers=WINXPSP3,RUNASADMIN\r\n"); },
     {{kCfg, 29, E, L"\"Layers\" of [Compatible0] holds \"WINXPSP3,RUNASADMIN\": the \"Compatible\" step writes it as one layer (layers are separated by blanks)", kWhole}}},
    {"COM server that does not exist",
     [] { return WithStep("RegDll", "[RegDll]\r\nNum=1\r\n[RegDll0]\r\nFile=bin\\x.ocx\r\n"); },
     {{kCfg, 28, E, L"file \"bin\\x.ocx\" does not exist below the program directory", kWhole}}},
    {"service program that does not exist",
     [] { return WithStep("RegService", "[RegService]\r\nNum=1\r\n[RegService0]\r\nName=Guard\r\nFile=guard.sys\r\n"); },
     {{kCfg, 29, E, L"file \"guard.sys\" does not exist below the program directory", kWhole}}},
    {"service entry without a file",
     [] { return WithStep("RegService", "[RegService]\r\nNum=1\r\n[RegService0]\r\nName=Guard\r\n"); },
     {{kCfg, 27, E, L"step \"RegService\" fails [RegService0]: [RegService0] has no File", kWhole}}},
    {"registry file with an error of form",
     [] {
       return WithStep("ImportReg", "[ImportReg]\r\nNum=1\r\n[ImportReg0]\r\nFile=reg\\game.reg\r\n",
                       {{L"reg\\game.reg", kRegFile + "\"Count\"=dword:12345678x\r\n"}});
     },
     {{L"reg\\game.reg", 5, E, L"the \"ImportReg\" step refuses the whole file: bad dword", kWhole}}},
    {"registry file in UTF-16 without a mark",
     [] {
       return WithStep("ImportReg", "[ImportReg]\r\nNum=1\r\n[ImportReg0]\r\nFile=game.reg\r\n",
                       {{L"game.reg", Utf16Le(kRegFile, false)}});
     },
     {{L"game.reg", 1, E, L"the \"ImportReg\" step refuses the whole file: ", false}}},
    {"registry file that is clean",
     [] {
       return WithStep("ImportReg", "[ImportReg]\r\nNum=2\r\n[ImportReg0]\r\nFile=game.reg\r\n[ImportReg1]\r\nFile=game.nfd\r\n",
                       {{L"game.reg", kRegFile}, {L"game.nfd", EmptyPackageRegistryFile()}});
     },
     {}},
    {"package registry file cut short",
     [] {
       return WithStep("ImportReg", "[ImportReg]\r\nNum=1\r\n[ImportReg0]\r\nFile=game.nfd\r\n",
                       {{L"game.nfd", EmptyPackageRegistryFile().substr(0, 6)}});
     },
     {{L"game.nfd", 0, E, L"the registry script engine refuses the whole file: its last 4 bytes are not the CRC-32 of the others (damaged or cut short)", kWhole}}},
    {"package id that is none",
     [] { return WithStep("Assoc", "", {{L"VorlanAssoc.ini", "[Assoc]\r\nNum=1\r\n[Assoc0]\r\nPkgId=3O1\r\n"}}); },
     {{L"VorlanAssoc.ini", 4, E, L"step \"Assoc\" fails [Assoc0]: PkgId \"3O1\" is not a package id", kWhole}}},
    {"package id repeated in another entry",
     [] {
       return WithStep("Assoc", "", {{L"VorlanAssoc.ini",
                                      "[Assoc]\r\nNum=3\r\n[Assoc0]\r\nPkgId=20001\r\n[Assoc1]\r\nPkgId=20417\r\n"
                                      "[Assoc2]\r\nPkgId=020001\r\n"}});
     },
     {{L"VorlanAssoc.ini", 8, W, L"\"PkgId\"=20001 in [Assoc2] repeats [Assoc0]: the \"Assoc\" step leaves the entry out", kWhole}}},
    {"game tool file saved as UTF-8",
     [] { return WithStep("AssocGamePathSet", "", {{L"VorlanGameTool.ini", "[Platform]\r\nRoot=D:\\\xE6\xB8\xB8\xE6\x88\x8F\r\n"}}); },
     {{kCfg, 18, W, L"step \"AssocGamePathSet\" is listed, but [AssocGamePathSet] is missing"},
      {L"VorlanGameTool.ini", 0, W, L"UTF-8 text with non-ASCII characters"}}},
    // Hints.
    {"documents folder by its Windows name",
     [] { return CleanFolder(Replace(kCleanCfg, "$CSIDL_APPDATA$", "$CSIDL_PERSONAL$")); },
     {{kCfg, 24, E, L"unknown folder macro $CSIDL_PERSONAL$; did you mean $CSIDL_MYDOCUMENTS$?", kWhole}}},
    {"junction-option key in a junction entry",
     [] { return WithStep("Junction", "[Junction]\r\nNum=1\r\n[Junction0]\r\nSrc=save\r\nDst=C:\\x\r\nRunName=setup.exe\r\n"); },
     {{kCfg, 30, W, L"unknown key \"RunName\" in [Junction0]; this key belongs to [JunctionOption0]", kWhole}}},
    {"count key in an entry",
     [] { return CleanFolder(Replace(kCleanCfg, "SkipOS=0", "Num=1")); },
     {{kCfg, 22, W, L"unknown key \"Num\" in [Copy0]; this key belongs to [Copy]", kWhole}}},
    {"misspelt indexed key",
     [] { return CleanFolder(Replace(kCleanCfg, "Argument_1=Component", "Argument_1=Component\r\nArgumnet_1=Copy")); },
     {{kCfg, 14, W, L"unknown key \"Argumnet_1\" in [ProcessMgr_0]; did you mean \"Argument_1\"?", kWhole}}},
    {"no option file", [] { return test::MemoryFolder(); }, {{kCfg, 0, E, L"no such file"}}},
    {"empty option file", [] { return CleanFolder(""); }, {{kCfg, 0, E, L"holds no section and no key"}}},
    {"UTF-16 with a mark", [] { return CleanFolder(Utf16Le(kCleanCfg, true)); }, {{kCfg, 0, W, L"saved as UTF-16"}}},
    {"UTF-16 without a mark", [] { return CleanFolder(Utf16Le(kCleanCfg, false)); }, {{kCfg, 0, E, L"holds NUL bytes"}}},
    {"UTF-8 mark before the first section",
     [] { return CleanFolder("\xEF\xBB\xBF" + Replace(kCleanCfg, "; clean\r\n", "")); },
     {{kCfg, 1, E, L"byte-order mark before [Main]"}}},
    {"UTF-8 mark before a comment",
     [] { return CleanFolder("\xEF\xBB\xBF" + kCleanCfg); },
     {{kCfg, 1, W, L"UTF-8 with a byte-order mark"}}},
    {"UTF-8 text",
     [] { return CleanFolder(Replace(kCleanCfg, "; clean", "; \xE6\xB8\xB8\xE6\x88\x8F")); },
     {{kCfg, 0, W, L"UTF-8 text with non-ASCII characters"}}},
    {"line without equals sign",
     [] { return CleanFolder(Replace(kCleanCfg, "Num=1", "Num=1\r\nNum 2")); },
     {{kCfg, 21, W, L"neither a section, a key nor a comment"}}},
};

class OptionRulesTest : public ::testing::TestWithParam<Case> {};

TEST_P(OptionRulesTest, GivesExactlyTheExpectedFindings) {
  const Case& c = GetParam();
  const std::vector<Finding> found = CheckGameFolder(c.folder());
  std::wstring all;
  for (const Finding& f : found) all += FormatFinding(f) + L"\n";
  ASSERT_EQ(found.size(), c.findings.size()) << std::string(all.begin(), all.end());
  for (std::size_t i = 0; i < found.size(); ++i) {
    EXPECT_EQ(found[i].file, c.findings[i].file) << i;
    EXPECT_EQ(found[i].line, c.findings[i].line) << std::string(all.begin(), all.end());
    EXPECT_EQ(found[i].severity, c.findings[i].severity) << i;
    if (c.findings[i].whole)
      EXPECT_EQ(FormatFinding(found[i]), FormatFinding({c.findings[i].file, c.findings[i].line, c.findings[i].severity,
                                                        c.findings[i].text}));
    else
      EXPECT_NE(found[i].message.find(c.findings[i].text), std::wstring::npos)
          << std::string(all.begin(), all.end());
  }
}

INSTANTIATE_TEST_SUITE_P(BadOptionFiles, OptionRulesTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                           std::string name;
                           for (const char* p = info.param.name; *p; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

// Large files: a finding each, never a crash.
TEST(OptionRulesLargeInput, TenThousandSectionsAndLongLinesAndTenMegabytes) {
  std::string sections = kCleanCfg;
  for (int i = 0; i < 10000; ++i) sections += "[Copy" + std::to_string(i + 1) + "]\r\nSrc=save\r\n";
  std::vector<Finding> found = CheckGameFolder(CleanFolder(sections));
  EXPECT_EQ(found.size(), 10000u);  // each entry beyond Num=1
  EXPECT_EQ(ExitCodeFor(found), 1);

  const std::string longLine = std::string(5000, 'a');
  found = CheckGameFolder(CleanFolder(kCleanCfg + longLine + "\r\n"));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].line, 25);

  std::string big = kCleanCfg + "[Copy1]\r\n";
  while (big.size() < 10u * 1024 * 1024) big += "; " + std::string(100, 'x') + "\r\n";
  found = CheckGameFolder(CleanFolder(big));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_NE(found[0].message.find(L"[Copy1] is not read"), std::wstring::npos);

  found = CheckGameFolder(CleanFolder(std::string(kMaxOptionFileBytes + 1, ';')));
  ASSERT_EQ(found.size(), 1u);
  EXPECT_NE(found[0].message.find(L"larger than 16 MB"), std::wstring::npos);
}

TEST(Findings, PrintedWithFileLineAndSeverityAndCountedForTheExitCode) {
  const std::vector<Finding> findings{{L"a\\VorlanCfg.ini", 12, Severity::Warning, L"w"},
                                      {L"a\\VorlanCfg.ini", 0, Severity::Error, L"e"}};
  EXPECT_EQ(FormatFinding(findings[0]), L"a\\VorlanCfg.ini:12: warning: w");
  EXPECT_EQ(FormatFinding(findings[1]), L"a\\VorlanCfg.ini: error: e");
  EXPECT_EQ(ExitCodeFor(std::span(findings).first(1)), 1);
  EXPECT_EQ(ExitCodeFor(findings), 2);
  EXPECT_EQ(ExitCodeFor({}), 0);
  EXPECT_EQ(SummaryLine(3, findings), L"checked 3 game folders: 1 error, 1 warning");
}

}  // namespace
}  // namespace vorlan::check
