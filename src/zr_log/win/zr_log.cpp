// ZR_log.dll: the logging library loaded by the launcher's logging facade.
// Exports (undecorated, see zr_log.def):
//   void __stdcall OutputLogMsg(const char* message, int level, const char* moduleName)
//   void __stdcall ReserveData(void* data, int size)   -- reserved, does nothing

#include <windows.h>

#include "zr_log/win/log_file_writer.h"

extern "C" {

__declspec(dllexport) void __stdcall OutputLogMsg(const char* message, int level, const char* moduleName) {
  zrlog::LogFileWriter::Instance().Append(level, moduleName, message);
}

__declspec(dllexport) void __stdcall ReserveData(void* /*data*/, int /*size*/) {}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(instance);
  return TRUE;
}

}  // extern "C"
