#pragma once
#include <windows.h>

#include <string>

namespace OS {

// Full path of a module (the executable when `module` is null), read into a
// buffer of 260 characters. Empty when the call fails or fills the buffer.
std::wstring GetModulePath(HMODULE module = nullptr);

// Folder of the running executable, without trailing backslash.
std::wstring GetProgramDirectory();

}  // namespace OS
