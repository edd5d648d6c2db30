#include "assoc/win/bar_client_library.h"

GetPkgFullPathFn LoadGetPkgFullPath() {
  HMODULE library = ::LoadLibraryW(L"BarClientDll.dll");
  if (library == nullptr) return nullptr;
  FARPROC entry = ::GetProcAddress(library, "GetPkgFullPath");
  // Without the export the library is of no use to us.
  if (entry == nullptr) {
    ::FreeLibrary(library);
    return nullptr;
  }
  return reinterpret_cast<GetPkgFullPathFn>(entry);
}
