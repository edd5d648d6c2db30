#pragma once
// A step context of the test's own: the option file, program directory and
// executable directory the test chooses, and every result line kept.

#include <mutex>
#include <string>
#include <vector>

#include "app/win/step_context.h"
#include "vtest/game_folder.h"

class RecordingStepContext final : public StepContext {
 public:
  // The option file and the executable directory are the game folder's; the
  // program directory is the game folder too unless the test names another
  // (as the "Map" step would with a mapped drive).
  explicit RecordingStepContext(const vtest::GameFolder& game, std::wstring programDirectory = L"")
      : options_(game.File(L"VorlanCfg.ini")),
        programDirectory_(programDirectory.empty() ? game.Path() : std::move(programDirectory)),
        exeDirectory_(game.Path()) {}

  const OS::IniFile& Options() const override { return options_; }
  std::wstring ProgramDirectory() const override {
    std::lock_guard<std::mutex> lock(lock_);
    return programDirectory_;
  }
  void SetProgramDirectory(const std::wstring& directory) override {
    std::lock_guard<std::mutex> lock(lock_);
    programDirectory_ = directory;
  }
  std::wstring ExecutableDirectory() const override { return exeDirectory_; }
  void PrintInfo(const std::wstring& text) override {
    std::lock_guard<std::mutex> lock(lock_);
    printed_.push_back(text);
  }
  bool IsShown() const override { return false; }
  void SetSelectFilePath(const std::wstring& path) override {
    std::lock_guard<std::mutex> lock(lock_);
    selectFilePath_ = path;
  }
  bool WriteTimeToReg() override { return true; }

  std::vector<std::wstring> Printed() const {
    std::lock_guard<std::mutex> lock(lock_);
    return printed_;
  }
  std::wstring SelectFilePath() const {
    std::lock_guard<std::mutex> lock(lock_);
    return selectFilePath_;
  }

 private:
  mutable std::mutex lock_;
  OS::IniFile options_;
  std::wstring programDirectory_;
  std::wstring exeDirectory_;
  std::vector<std::wstring> printed_;
  std::wstring selectFilePath_;
};
