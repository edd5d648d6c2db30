#pragma once
#include <string>

namespace vtest {

// A Unix path as Wine sees it through drive Z:.
std::wstring UnixToWine(const std::string& unixPath);

std::wstring LauncherExe();    // the built launcher
std::wstring ZrLogDll();       // the built logging library
std::wstring RecorderExe();    // the recorder stand-in
std::wstring LogProbeExe();    // the logging facade driver
std::wstring NoExportDll();    // a library without the logging exports
std::wstring ComServerDll();   // a stand-in COM server (com_server_stand_in.cpp)
std::wstring ServiceStandInExe();  // a stand-in service program (service_stand_in.cpp)
std::wstring NimbraMenuExe();  // plays the game menu's part of the shared memory
std::wstring ComponentMgrDll();  // the game component library stand-in
std::wstring SourceDir();      // the source tree, as a Wine path

// "win64" or "win32": the Wine prefix this test runs in.
std::wstring PrefixKind();
bool Is64BitPrefix();

// Folder for the running test's own files inside the prefix:
// C:\vorlan-tests\<suite>.<test> (created fresh by GameFolder).
std::wstring TestFolderFor(const std::wstring& suffix = L"");

// The running test case's name (without its suite), e.g. for a registry key
// of its own.
std::wstring CurrentTestName();

}  // namespace vtest
