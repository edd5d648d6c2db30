// Times the folder-tree copy the steps use:
//   tree_copy_bench <destination> <source>
// or, with --open-only, what any copy through the Win32 file calls must do
// at the least: every folder made, every source file opened and closed and
// every destination file created and closed, no byte copied.
// Prints "result=<0|1> ms=<elapsed>" on standard output.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "platform/win/file_copy.h"
#include "platform/win/scoped_resource.h"

namespace {

bool OpenAndCreateTree(const std::wstring& dst, const std::wstring& src) {
  if (!::CreateDirectoryW(dst.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
  WIN32_FIND_DATAW entry = {};
  OS::ScopedFindHandle find(::FindFirstFileW((src + L"\\*.*").c_str(), &entry));
  if (!find) return false;
  bool ok = true;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring from = src + L"\\" + name, to = dst + L"\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok = OpenAndCreateTree(to, from) && ok;
      continue;
    }
    OS::ScopedHandle in(::CreateFileW(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    OS::ScopedHandle out(::CreateFileW(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ok = ok && in && out;
  } while (::FindNextFileW(find.Get(), &entry));
  return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const bool openOnly = argc > 1 && std::wcscmp(argv[1], L"--open-only") == 0;
  if (argc < (openOnly ? 4 : 3)) {
    std::fputs("usage: tree_copy_bench [--open-only] <destination> <source>\n", stderr);
    return 2;
  }
  const wchar_t* dst = argv[openOnly ? 2 : 1];
  const wchar_t* src = argv[openOnly ? 3 : 2];
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  const bool ok = openOnly ? OpenAndCreateTree(dst, src) : OS::CopyFolderTree(dst, src);
  ::QueryPerformanceCounter(&end);
  const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("result=%d ms=%.1f\n", ok ? 1 : 0, ms);
  return ok ? 0 : 1;
}
