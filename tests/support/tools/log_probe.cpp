// Drives the logging facade for the facade's own tests:
//   log_probe text <level> <text>        one LogText call
//   log_probe format <level> <text>      Log(level, L"%s", text)
//   log_probe long <count>               Log(4, L"%s", <count> times 'x')
//   log_probe unicode                    a text with characters outside code page 936
//   log_probe threads <threads> <lines>  every thread logs "thread T line N"
//   log_probe msgbox                     shows a message box; exit 5 when OK was pressed
// Exit code 0; 3 when the facade has no output (no usable ZR_log.dll).

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/core/log_mgr.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 2;
  const std::wstring cmd = argv[1];
  CLogMgr& log = CLogMgr::GetInstance();

  if (cmd == L"text" && argc >= 4) {
    log.LogText(_wtoi(argv[2]), argv[3]);
  } else if (cmd == L"format" && argc >= 4) {
    log.Log(_wtoi(argv[2]), L"%s", argv[3]);
  } else if (cmd == L"long" && argc >= 3) {
    std::wstring text(static_cast<std::size_t>(_wtoi(argv[2])), L'x');
    log.Log(4, L"%s", text);
  } else if (cmd == L"unicode") {
    log.Log(4, L"mixed: %s|%s|%s", L"\u4E2D\u6587", L"\u0E01", L"end");
  } else if (cmd == L"threads" && argc >= 4) {
    int threads = _wtoi(argv[2]);
    int lines = _wtoi(argv[3]);
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) {
      pool.emplace_back([&log, t, lines] {
        for (int n = 0; n < lines; ++n) log.Log(4, L"thread %d line %d", t, n);
      });
    }
    for (auto& th : pool) th.join();
  } else if (cmd == L"msgbox") {
    int answer = ::MessageBoxW(nullptr, L"\u6D4B\u8BD5\u6587\u672C", L"\u63D0\u793A", MB_OK);
    return answer == IDOK ? 5 : 6;
  } else {
    return 2;
  }
  ::LocalFree(argv);
  return log.HasOutput() ? 0 : 3;
}
