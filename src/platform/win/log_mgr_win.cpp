// The logging facade on Windows: hands every message to OutputLogMsg of
// "ZR_log.dll" from the executable's own folder.

#include <windows.h>

#include <cstdlib>

#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/win/code_page.h"
#include "platform/win/module_path.h"
#include "platform/win/scoped_resource.h"

namespace {
// The logging library, loaded once and freed by the process-exit action.
// Never destroyed itself, like the facade.
OS::ScopedLibrary& LogLibrary() {
  static OS::ScopedLibrary* const library = new OS::ScopedLibrary();
  return *library;
}
}  // namespace

CLogMgr& CLogMgr::GetInstance() {
  // Never destroyed: ReleaseAtExit, registered while the object is being
  // made, runs after any destructor of a static object would have, and must
  // still find the object alive.
  static CLogMgr* const instance = new CLogMgr();
  return *instance;
}

CLogMgr::CLogMgr() {
  const std::wstring exePath = OS::GetModulePath();
  // Without our own path we would not know where the library lies; do not
  // load a library from wherever a relative name would lead.
  if (!exePath.empty()) {
    const std::wstring libraryPath = vorlan::DirectoryOf(exePath) + L"\\ZR_log.dll";
    LogLibrary().Reset(::LoadLibraryW(libraryPath.c_str()));
    if (HMODULE library = LogLibrary().Get()) {
      library_ = library;
      outputEntry_ = reinterpret_cast<OutputLogMsgFn>(::GetProcAddress(library, "OutputLogMsg"));
      reserveEntry_ = reinterpret_cast<void*>(::GetProcAddress(library, "ReserveData"));
    }
  }
  moduleName_ = OS::ToThreadAnsi(vorlan::ModuleNameOf(exePath));
  std::atexit(&CLogMgr::ReleaseAtExit);
}

void CLogMgr::ReleaseAtExit() {
  CLogMgr& self = GetInstance();
  self.outputEntry_ = nullptr;
  self.reserveEntry_ = nullptr;
  LogLibrary().Close();
  self.library_ = nullptr;
  self.moduleName_.clear();
}

void CLogMgr::LogText(int level, const wchar_t* text) {
  OutputLogMsgFn output = outputEntry_;
  if (!output) return;
  const std::string narrow = text ? OS::ToThreadAnsi(text) : std::string();
  output(narrow.c_str(), level, moduleName_.c_str());
}
