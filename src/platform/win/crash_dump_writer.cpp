#include "platform/win/crash_dump_writer.h"

#include <windows.h>
#include <dbghelp.h>

#include <csignal>
#include <cstdint>
#include <exception>
#include <string>

#include "platform/core/crash_report.h"
#include "platform/core/log_mgr.h"
#include "platform/core/path_join.h"
#include "platform/win/module_path.h"
#include "platform/win/process_start.h"
#include "platform/win/scoped_resource.h"

namespace OS {
namespace {

using MiniDumpWriteDumpFn = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
                                          PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);
using InvalidParameterHandler = void(__cdecl*)(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t);
using PureCallHandler = void(__cdecl*)();

// How long the report may take before the process ends without it. Windows
// writes a dump in well under a second; Wine's DBGHELP takes half a minute
// on an idle machine and minutes on a busy one.
constexpr DWORD kReportTimeoutMs = 300000;

// The thread whose crash is being reported, and the thread reporting it.
volatile LONG crashedThread = 0;
volatile LONG reportingThread = 0;

struct Crash {
  EXCEPTION_POINTERS* pointers = nullptr;
  DWORD threadId = 0;
  DWORD code = 0;
};

// "<module file name>" and the offset into it; empty outside every module.
std::wstring ModuleAt(const void* address, unsigned long long& offset) {
  offset = reinterpret_cast<std::uintptr_t>(address);
  HMODULE module = nullptr;
  if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module))
    return L"";
  const std::wstring path = GetModulePath(module);
  if (path.empty()) return L"";
  offset -= reinterpret_cast<std::uintptr_t>(module);
  return path.substr(path.find_last_of(L'\\') + 1);
}

bool WriteDump(const std::wstring& path, const Crash& crash, DWORD& error) {
  wchar_t system[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    error = ::GetLastError();
    return false;
  }
  const ScopedLibrary dbghelp(::LoadLibraryW(vorlan::PathJoin(system, L"DBGHELP.DLL").c_str()));
  if (!dbghelp) {
    error = ::GetLastError();
    return false;
  }
  const auto write = reinterpret_cast<MiniDumpWriteDumpFn>(::GetProcAddress(dbghelp.Get(), "MiniDumpWriteDump"));
  if (!write) {
    error = ::GetLastError();
    return false;
  }
  ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    error = ::GetLastError();
    return false;
  }
  MINIDUMP_EXCEPTION_INFORMATION exception = {crash.threadId, crash.pointers, FALSE};
  if (!write(::GetCurrentProcess(), ::GetCurrentProcessId(), file.Get(), MiniDumpNormal,
             crash.pointers ? &exception : nullptr, nullptr, nullptr)) {
    error = ::GetLastError();
    if (error == 0) error = ERROR_WRITE_FAULT;
    file.Close();
    ::DeleteFileW(path.c_str());  // half a dump is no dump
    return false;
  }
  error = 0;
  return true;
}

void StartReporter(const std::wstring& folder, const std::wstring& dumpPath) {
  const std::wstring reporter = folder + L"\\ErrorReporter.exe";
  if (::GetFileAttributesW(reporter.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  ProcessStart start;
  start.commandLine = vorlan::crash::ReporterCommandLine(reporter, dumpPath);
  start.workingDirectory = folder;
  const ProcessResult result = StartProcess(start);
  CLogMgr::GetInstance().Log(result.started ? 4 : 32, L"CrashDumpOption: OS::CrashDumpWriter::OnCrash. Start %s, %s, %d",
                             start.commandLine, result.started ? L"Success" : L"Failed", result.error);
}

DWORD WINAPI Report(LPVOID raw) {
  ::InterlockedExchange(&reportingThread, static_cast<LONG>(::GetCurrentThreadId()));
  const Crash& crash = *static_cast<const Crash*>(raw);
  const std::wstring folder = GetProgramDirectory();
  const std::wstring logFolder = folder + L"\\Log";
  SYSTEMTIME now = {};
  ::GetLocalTime(&now);
  const std::wstring dumpPath =
      logFolder + L"\\" +
      vorlan::crash::DumpFileName({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond},
                                  ::GetCurrentProcessId());
  DWORD error = ERROR_PATH_NOT_FOUND;
  bool written = false;
  // Without our own folder the dump would land wherever a relative path leads.
  if (!folder.empty()) {
    ::CreateDirectoryW(logFolder.c_str(), nullptr);
    written = WriteDump(dumpPath, crash, error);
  }
  const void* address = crash.pointers && crash.pointers->ExceptionRecord
                            ? crash.pointers->ExceptionRecord->ExceptionAddress
                            : nullptr;
  unsigned long long offset = 0;
  const std::wstring module = ModuleAt(address, offset);
  CLogMgr::GetInstance().LogText(
      32, vorlan::crash::CrashLine(crash.code, vorlan::crash::FaultPlace(module, offset), dumpPath, written, error).c_str());
  if (written) StartReporter(folder, dumpPath);
  return 0;
}

[[noreturn]] void EndProcess(DWORD code) {
  ::TerminateProcess(::GetCurrentProcess(), vorlan::crash::ExitCodeFor(code));
  ::ExitProcess(vorlan::crash::ExitCodeFor(code));  // not reached
}

// Reports the crash once and ends the process. The report runs on a fresh
// thread: the crashed one may have no stack left.
[[noreturn]] void OnCrash(EXCEPTION_POINTERS* pointers) {
  const DWORD code = pointers && pointers->ExceptionRecord ? pointers->ExceptionRecord->ExceptionCode : 0;
  const DWORD self = ::GetCurrentThreadId();
  const LONG first = ::InterlockedCompareExchange(&crashedThread, static_cast<LONG>(self), 0);
  if (first != 0) {
    // A crash while reporting ends the process at once; another thread that
    // crashes meanwhile waits for the first report to end it.
    if (static_cast<DWORD>(first) != self && static_cast<DWORD>(reportingThread) != self)
      ::Sleep(kReportTimeoutMs + 5000);
    EndProcess(code);
  }
  Crash crash{pointers, self, code};
  ScopedHandle reporter(::CreateThread(nullptr, 0, &Report, &crash, 0, nullptr));
  if (reporter)
    ::WaitForSingleObject(reporter.Get(), kReportTimeoutMs);
  else
    Report(&crash);
  EndProcess(code);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) { OnCrash(pointers); }

// The runtime's ends that are no processor exception: a record of our own.
[[noreturn]] void OnRuntimeEnd(DWORD code, void* address) {
  CONTEXT context = {};
  ::RtlCaptureContext(&context);
  EXCEPTION_RECORD record = {};
  record.ExceptionCode = code;
  record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
  record.ExceptionAddress = address;
  EXCEPTION_POINTERS pointers = {&record, &context};
  OnCrash(&pointers);
}

void OnTerminate() { OnRuntimeEnd(vorlan::crash::kTerminate, __builtin_return_address(0)); }
void __cdecl OnPureCall() { OnRuntimeEnd(vorlan::crash::kPureCall, __builtin_return_address(0)); }
void __cdecl OnInvalidParameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t) {
  OnRuntimeEnd(vorlan::crash::kInvalidParameter, __builtin_return_address(0));
}
void __cdecl OnAbort(int) { OnRuntimeEnd(vorlan::crash::kAbort, __builtin_return_address(0)); }

// The C runtime's own handlers, where this runtime has them (older msvcrt.dll
// lacks the invalid-parameter handler).
void InstallRuntimeHandlers() {
  for (const wchar_t* runtime : {L"msvcrt.dll", L"ucrtbase.dll"}) {
    const HMODULE crt = ::GetModuleHandleW(runtime);
    if (!crt) continue;
    if (const auto set = reinterpret_cast<PureCallHandler (*)(PureCallHandler)>(
            reinterpret_cast<void*>(::GetProcAddress(crt, "_set_purecall_handler"))))
      set(&OnPureCall);
    if (const auto set = reinterpret_cast<InvalidParameterHandler (*)(InvalidParameterHandler)>(
            reinterpret_cast<void*>(::GetProcAddress(crt, "_set_invalid_parameter_handler"))))
      set(&OnInvalidParameter);
  }
}

}  // namespace

void InstallCrashDumpWriter() {
  const UINT mode = ::SetErrorMode(0);
  ::SetErrorMode(mode | SEM_NOGPFAULTERRORBOX);
  ::SetUnhandledExceptionFilter(&OnUnhandledException);
  std::set_terminate(&OnTerminate);
  std::signal(SIGABRT, &OnAbort);
  InstallRuntimeHandlers();
}

}  // namespace OS
