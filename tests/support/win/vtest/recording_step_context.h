#pragma once
// The step context every handler test drives a step with: the option file,
// program directory, executable directory and game id the test chooses;
// every result line, message box and completion mark kept for the test to
// read. Thread-safe, as handlers may run on several threads at once.

#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "step_context/win/step_context.h"
#include "vtest/game_folder.h"

namespace vtest {

class RecordingStepContext final : public StepContext {
 public:
  struct Message {
    std::wstring text;
    std::wstring caption;
  };

  // The option file "VorlanCfg.ini" and the executable directory are
  // `folder`'s; the program directory is `folder` too unless the test names
  // another (as the "Map" step would with a mapped drive).
  explicit RecordingStepContext(std::wstring folder, std::wstring programDirectory = L"")
      : options_(folder + L"\\VorlanCfg.ini"),
        programDirectory_(programDirectory.empty() ? folder : std::move(programDirectory)),
        exeDirectory_(std::move(folder)) {}
  explicit RecordingStepContext(const GameFolder& game, std::wstring programDirectory = L"")
      : RecordingStepContext(game.Path(), std::move(programDirectory)) {}

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
  unsigned GameId() const override { return gameId_; }
  void PrintInfo(const std::wstring& text) override {
    std::lock_guard<std::mutex> lock(lock_);
    printed_.push_back(text);
  }
  HWND DialogWindow() const override { return dialogWindow_; }
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override {
    std::lock_guard<std::mutex> lock(lock_);
    messages_.push_back({text, caption});
  }
  void SetSelectFilePath(const std::wstring& path) override {
    std::lock_guard<std::mutex> lock(lock_);
    selectFilePath_ = path;
  }
  bool WriteTimeToReg() override {
    ++marks_;
    return true;
  }

  void SetGameId(unsigned id) { gameId_ = id; }
  void SetDialogWindow(HWND window) { dialogWindow_ = window; }
  std::vector<std::wstring> Printed() const {
    std::lock_guard<std::mutex> lock(lock_);
    return printed_;
  }
  std::vector<Message> Messages() const {
    std::lock_guard<std::mutex> lock(lock_);
    return messages_;
  }
  std::wstring SelectFilePath() const {
    std::lock_guard<std::mutex> lock(lock_);
    return selectFilePath_;
  }
  // How often the completion mark was written.
  int Marks() const { return marks_; }

 private:
  mutable std::mutex lock_;
  OS::IniFile options_;
  std::wstring programDirectory_;
  std::wstring exeDirectory_;
  std::atomic<unsigned> gameId_{1001};
  std::atomic<HWND> dialogWindow_{nullptr};
  std::atomic<int> marks_{0};
  std::vector<std::wstring> printed_;
  std::vector<Message> messages_;
  std::wstring selectFilePath_;
};

}  // namespace vtest
