#include "steps/programs/win/game_menu_thread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/core/path_join.h"
#include "platform/core/wformat.h"
#include "platform/win/ini_file.h"
#include "platform/win/module_path.h"
#include "platform/win/scoped_resource.h"
#include "steps/programs/core/day_marks.h"
#include "steps/programs/win/local_date.h"
#include "steps/programs/win/shell_open.h"

namespace vorlan::steps {
namespace {

constexpr wchar_t kMenuProgram[] = L"Tovik.exe";
constexpr DWORD kMenuStartPauseMs = 5000;

// Set once RunGameMenu has started the menu program or decided not to.
std::mutex g_decidedLock;
std::condition_variable g_decidedSignal;
bool g_decided = false;

void MarkStartDecided() {
  {
    std::lock_guard<std::mutex> lock(g_decidedLock);
    g_decided = true;
  }
  g_decidedSignal.notify_all();
}

bool StartMenuProgram(const GameMenuSetup& setup) {
  const wchar_t* directory = setup.currentDirectory.empty() ? nullptr : setup.currentDirectory.c_str();
  return ShellOpen(nullptr, kMenuProgram, nullptr, directory, SW_HIDE) > 32;
}

}  // namespace

void RunGameMenu(const GameMenuSetup& setup) {
  const OS::IniFile catalogue(setup.catalogueFile);
  if (catalogue.ReadInt(L"Tovik", L"AlwaysRun", 0) == 1) {
    const bool started = StartMenuProgram(setup);
    MarkStartDecided();
    if (started) setup.sleep(kMenuStartPauseMs);
  } else {
    // Registry failures are passed over: without the key the menu program
    // is started and no mark is kept.
    OS::ScopedRegKey marks;
    ::RegCreateKeyW(HKEY_CURRENT_USER, GameMenuMarkKeyName(setup.today).c_str(), marks.Receive());
    DWORD started = 0, size = sizeof(started);
    if (!marks ||
        ::RegQueryValueExW(marks.Get(), kMenuProgram, nullptr, nullptr, reinterpret_cast<BYTE*>(&started), &size) !=
            ERROR_SUCCESS) {
      started = 0;
    }
    if (started != 1 && StartMenuProgram(setup)) {
      const DWORD one = 1;
      if (marks)
        ::RegSetValueExW(marks.Get(), kMenuProgram, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
      MarkStartDecided();
      setup.sleep(kMenuStartPauseMs);
    }
    MarkStartDecided();
  }

  // Loading the reporting library is all of its use: it stays loaded for the
  // life of the process, so its owner is never destroyed. Not from a guessed
  // place when the current directory is unknown.
  if (!setup.currentDirectory.empty()) {
    static OS::ScopedLibrary* const reporting = new OS::ScopedLibrary();
    if (!reporting->IsValid())
      reporting->Reset(::LoadLibraryW(fmt::Format(L"%s\\SourceReportDll.dll", setup.currentDirectory).c_str()));
  }
}

bool WaitForMenuStartDecided(DWORD limitMs) {
  std::unique_lock<std::mutex> lock(g_decidedLock);
  return g_decidedSignal.wait_for(lock, std::chrono::milliseconds(limitMs), [] { return g_decided; });
}

}  // namespace vorlan::steps

DWORD WINAPI RunGameMenuThreadProc(LPVOID) {
  vorlan::steps::GameMenuSetup setup;
  setup.catalogueFile = vorlan::PathJoin(OS::GetProgramDirectory(), L"VorlanComponent.ini");
  wchar_t current[400] = {};
  const DWORD n = ::GetCurrentDirectoryW(400, current);
  if (n > 0 && n < 400) setup.currentDirectory.assign(current, n);
  setup.today = vorlan::steps::LocalToday();
  setup.sleep = [](DWORD milliseconds) { ::Sleep(milliseconds); };
  vorlan::steps::RunGameMenu(setup);
  return 0;
}
