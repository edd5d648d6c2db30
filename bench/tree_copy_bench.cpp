// Times the folder-tree copy the steps use:
//   tree_copy_bench <destination> <source>
// Prints "result=<0|1> ms=<elapsed>" on standard output.

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win/file_copy.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: tree_copy_bench <destination> <source>\n", stderr);
    return 2;
  }
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  const bool ok = OS::CopyFolderTree(argv[1], argv[2]);
  ::QueryPerformanceCounter(&end);
  const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  std::printf("result=%d ms=%.1f\n", ok ? 1 : 0, ms);
  return ok ? 0 : 1;
}
