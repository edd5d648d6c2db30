// Every key a step handler reads is a row of the table of what the launcher
// reads (steps/core/option_keys.h), in the section family it was read from:
// each handler runs on a rich option file while every read through the
// option reader is recorded. A key read and not in the table fails; so does
// a row of a step that ran and whose key it never read.

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "assoc_scenario.h"
#include "platform/win/ini_file.h"
#include "steps/pipeline/core/option_keys.h"
#include "steps/pipeline/core/step_table.h"
#include "steps/assoc/win/assoc_game_path_set_step.h"
#include "steps/pipeline/win/step_registry.h"
#include "vtest/game_folder.h"
#include "vtest/recording_step_context.h"
#include "vtest/registry.h"

namespace {

using vorlan::FindKeyRow;
using vorlan::FindSectionRow;
using vorlan::OptionFile;
using vorlan::SectionMatch;

struct Read {
  std::wstring path, section, key;
};

// Records every read of every option file of the process while it lives.
class ReadRecorder final : public OS::IniFile::ReadObserver {
 public:
  ReadRecorder() { OS::IniFile::SetReadObserver(this); }
  ~ReadRecorder() { OS::IniFile::SetReadObserver(nullptr); }
  void Read(const std::wstring& path, const std::wstring& section, const std::wstring& key) override {
    std::lock_guard<std::mutex> hold(lock_);
    reads_.push_back({path, section, key});
  }
  std::vector<::Read> Take() {
    std::lock_guard<std::mutex> hold(lock_);
    return std::exchange(reads_, {});
  }

 private:
  std::mutex lock_;
  std::vector<::Read> reads_;
};

std::string Narrow(std::wstring_view text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::wstring FileName(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

// Every key of the steps' sections, most of them with values that make the
// step fail before it changes anything on the PC (missing files, a drive
// that is no letter, an unknown service start), so that each key is read;
// the programs that are started are recorders that end at once.
const wchar_t kOptions[] =
    L"[Main]\r\nGameExe=missing\\game.exe\r\nBeforeExePath=missing\r\nParam=-x\r\nIsCloseRedirection=0\r\n"
    L"GameExe64=missing\\game64.exe\r\nBeforeExePath64=missing\r\nParam64=-x\r\nRunOption=0\r\n"
    L"[Map]\r\nDrive=QQ\r\nPath=data\r\n"
    L"[Copy]\r\nNum=1\r\n[Copy0]\r\nSkipOS=0\r\nIsCloseRedirection=0\r\nIsFile=0\r\nSrc=missing\r\nDst=missing2\r\n"
    L"[Junction]\r\nNum=1\r\n[Junction0]\r\nSkipOS=0\r\nSrc=missing\r\nDst=missing2\r\nOption=0\r\n"
    L"[JunctionOption]\r\nNum=2\r\n[JunctionOption0]\r\nSkipOS=0\r\nSrc=missing\r\nDst=missing2\r\nOption=0\r\n"
    L"[JunctionOption1]\r\nSrc=missing\r\nDst=missing3\r\nOption=5\r\nRunName=missing\\setup.exe\r\nRunParam=/s\r\n"
    L"msi=0\r\nWait=1\r\n"
    L"[PreLoad]\r\nNum=1\r\n[PreLoad0]\r\nExe=pre.exe\r\nParam=-x\r\nWait=1\r\n"
    L"[SelectPreLoadProcess]\r\nIniFilePath=select.ini\r\n"
    L"[RunOnce]\r\nExe=once.exe\r\nParam=-x\r\nWait=1\r\n"
    L"[AppLoc]\r\nIsNeed=0\r\nExe=missing\\apploc.exe\r\nParam=-x\r\n"
    L"[OpenUrl]\r\nNum=1\r\nUrl_0=\r\n"
    L"[ImportReg]\r\nNum=1\r\n[ImportReg0]\r\nSkipOS=0\r\nIsCloseRedirection=0\r\nFile=missing.reg\r\n"
    L"[keys]\r\nNum=1\r\n[keys0]\r\nSkipOS=0\r\nIsCloseRedirection=0\r\nKey=HKCU\\Software\\VorlanReadTest\r\nName=n\r\n"
    L"Type=REG_NOTHING\r\nData=d\r\n"
    L"[GamePath]\r\nNum=1\r\n[GamePath0]\r\nSkipOS=0\r\nIsCloseRedirection=0\r\nKey=HKCU\\Software\\VorlanReadTest\r\n"
    L"Name=n\r\nType=REG_NOTHING\r\nSubPath=bin\r\nTrailingBackslash=1\r\n"
    L"[Compatible]\r\nNum=1\r\n[Compatible0]\r\nSkipOS=0\r\nIsCloseRedirection=0\r\nExe=\r\nLayers=WINXPSP3\r\n"
    L"IsLocalMachine=0\r\n"
    L"[RegDll]\r\nNum=1\r\n[RegDll0]\r\nSkipOS=0\r\nIsCloseRedirection=0\r\nFile=missing.ocx\r\nIsUnregister=0\r\n"
    L"TimeOut=5\r\n"
    L"[RegService]\r\nNum=1\r\n[RegService0]\r\nSkipOS=0\r\nIsCloseRedirection=0\r\nName=VorlanReadTest\r\n"
    L"DisplayName=d\r\nFile=missing.sys\r\nType=kernel\r\nStart=never\r\nIsStart=0\r\nWaitTime=1\r\n"
    L"[AssocGamePathSet]\r\nNum=2\r\n"
    L"[AssocGamePathSet0]\r\nPkgId=20001\r\nType=0\r\nValue=%PkgPath%\r\nRoot=HKCU\r\n"
    L"Key=Software\\VorlanReadTest\r\nName=p\r\nIsCloseRedirection=0\r\n"
    L"[AssocGamePathSet1]\r\nPkgId=20001\r\nType=1\r\nFile=tool.ini\r\nSection=s\r\nKey=k\r\n"
    L"[Display]\r\nWidth=wide\r\nHeight=600\r\nBitsPerPel=32\r\nFrequency=60\r\n";

const wchar_t kSelect[] =
    L"[SelectPreLoadProcess]\r\nWhichProcess=1\r\n[PreLoadAd]\r\nNum=1\r\n[PreLoadAd0]\r\nExe=missing\\ad.exe\r\n"
    L"Param=-x\r\nWait=0\r\n";

const wchar_t kAssoc[] = L"[Assoc]\r\nNum=1\r\nWaitSeconds=1\r\n[Assoc0]\r\nPkgId=not-an-id\r\nSkipOS=0\r\n";

class StepOptionReads : public ::testing::Test {
 protected:
  void SetUp() override {
    game_.WriteOptionFile(kOptions);
    game_.WriteText(L"select.ini", kSelect);
    game_.WriteText(L"VorlanAssoc.ini", kAssoc);
    game_.AddRecorder(L"pre.exe");
    game_.AddRecorder(L"once.exe");
  }
  void TearDown() override { vtest::DeleteTree(HKEY_CURRENT_USER, L"Software\\VorlanReadTest"); }

  // What the table says against each read: a line per read of a key the
  // table does not have, in the family the reference writes it in.
  std::set<std::string> Faults(const std::wstring& step, const std::vector<Read>& reads) {
    std::set<std::string> faults;
    for (const Read& read : reads) {
      const std::wstring name = FileName(read.path);
      OptionFile file;
      if (_wcsicmp(name.c_str(), L"VorlanCfg.ini") == 0) file = OptionFile::Launcher;
      else if (_wcsicmp(name.c_str(), L"VorlanAssoc.ini") == 0) file = OptionFile::Assoc;
      else if (_wcsicmp(name.c_str(), L"select.ini") == 0) file = OptionFile::Select;
      else {
        faults.insert("step " + Narrow(step) + " reads " + Narrow(name) + ", a file the table does not know");
        continue;
      }
      const SectionMatch match = FindSectionRow(file, read.section);
      if (!match.row) {
        faults.insert("step " + Narrow(step) + " reads [" + Narrow(read.section) + "] of " + Narrow(name) +
                      ", a section the table does not have");
        continue;
      }
      const std::wstring pattern = vorlan::SectionPattern(*match.row);
      if (!FindKeyRow(match.row->keys, read.key)) {
        faults.insert("step " + Narrow(step) + " reads \"" + Narrow(read.key) + "\" of [" + Narrow(pattern) + "] in " +
                      Narrow(name) + ", a key the table does not have");
        continue;
      }
      read_.insert({file, pattern, FoldKey(match.row->keys, read.key)});
    }
    return faults;
  }

  // The row's name of a key read ("Argument_3" -> "Argument_#").
  static std::wstring FoldKey(std::span<const vorlan::KeyRow> keys, const std::wstring& key) {
    return std::wstring(FindKeyRow(keys, key)->name);
  }

  vtest::GameFolder game_;
  std::set<std::tuple<OptionFile, std::wstring, std::wstring>> read_;
};

TEST_F(StepOptionReads, EveryKeyAHandlerReadsIsInTheTableAndEveryKeyOfItsSectionsIsRead) {
  std::set<std::string> faults;
  std::set<std::wstring> ran;
  for (const vorlan::StepInfo& step : vorlan::StepTable()) {
    // Outside the option file: the catalogue's own run, and the hand-over to
    // the café's library; the associated-game steps run below with a client
    // service of the test's own.
    if (step.id == vorlan::StepId::Component || step.id == vorlan::StepId::GameComponent ||
        step.id == vorlan::StepId::AssocGamePathSet)
      continue;
    vtest::RecordingStepContext context(game_);
    ReadRecorder recorder;
    vorlan::steps::RunStepHandler(step.id, context);
    const std::vector<Read> reads = recorder.Take();
    EXPECT_FALSE(reads.empty()) << Narrow(step.name) << " read nothing";
    faults.merge(Faults(std::wstring(step.name), reads));
    ran.insert(std::wstring(step.name));
  }
  {
    // Without [JunctionOption] entries the step reads [Junction<n>].
    const std::wstring options = kOptions;
    const std::wstring variant = L"[JunctionOption]\r\nNum=2";
    game_.WriteOptionFile(options.substr(0, options.find(variant)) + L"[JunctionOption]\r\nNum=0" +
                          options.substr(options.find(variant) + variant.size()));
    vtest::RecordingStepContext context(game_);
    ReadRecorder recorder;
    vorlan::steps::RunStepHandler(vorlan::StepId::Junction, context);
    faults.merge(Faults(L"Junction", recorder.Take()));
    game_.WriteOptionFile(kOptions);
  }
  {
    assoctest::TablePackages packages;
    packages.paths[20001] = game_.Path();
    OS::IniFile options(game_.File(L"VorlanCfg.ini"));
    ReadRecorder recorder;
    vorlan::steps::RunAssocGamePathSetStep(options, packages);
    faults.merge(Faults(L"AssocGamePathSet", recorder.Take()));
    ran.insert(L"AssocGamePathSet");
  }

  // The other way: each key of a section that only a step that ran reads;
  // "WaitSeconds" is read once a package is valid, which starts a worker
  // that talks to the client service (tests/steps/win/assoc_step_test.cpp).
  read_.insert({OptionFile::Assoc, L"Assoc", L"WaitSeconds"});
  for (const vorlan::SectionRow& row : vorlan::SectionTable()) {
    const bool readByStep = !row.step.empty() && ran.count(std::wstring(row.step));
    const bool readByAssoc = row.file == OptionFile::Assoc && ran.count(L"Assoc");
    if (!readByStep && !readByAssoc) continue;
    for (const vorlan::KeyRow& key : row.keys)
      if (!read_.count({row.file, vorlan::SectionPattern(row), std::wstring(key.name)})) {
        std::string fault = "[";
        fault += Narrow(vorlan::SectionPattern(row));
        fault += "] \"" + Narrow(key.name) + "\" is in the table, but no handler read it";
        faults.insert(fault);
      }
  }
  std::string all;
  for (const std::string& fault : faults) all += fault + "\n";
  EXPECT_TRUE(faults.empty()) << all;
}

}  // namespace
