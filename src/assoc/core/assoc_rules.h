#pragma once
// The decisions of the associated-game step: which package ids an operator's
// entry names, which system folder a package's system file belongs in, and
// whether it replaces a file already there.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorlan::assoc {

// A package id written as decimal digits only (blanks around them allowed),
// 1 to 4294967295. Anything else is no id.
std::optional<std::uint32_t> ParsePackageId(std::wstring_view text);

// What the first bytes of a file say about it.
enum class FileBitness { NotImage, Image32, Image64, OtherMachine };

// Reads the DOS and PE headers in `head` (the file's first bytes): an x86
// image is Image32, an x86-64 image Image64, a PE image for any other machine
// OtherMachine; everything else (no "MZ", headers beyond `head`, no "PE\0\0")
// is NotImage.
FileBitness ImageBitness(std::string_view head);

// The system folder a file goes into.
enum class SystemFolder {
  Native,  // the system folder of the running Windows (System32)
  Wow32,   // the 32-bit system folder of 64-bit Windows (SysWOW64)
  None,    // nowhere on this Windows
};

// x86-64 images go into the native folder of 64-bit Windows and nowhere on
// 32-bit Windows; x86 images and other files (the game using them is 32-bit)
// into SysWOW64 on 64-bit Windows and System32 on 32-bit Windows; images for
// other machines nowhere.
SystemFolder TargetFolder(FileBitness bitness, bool is64BitOs);

enum class CopyAction { Copy, Replace, Keep };

// A missing file is copied; an existing one is replaced only when the
// package's file was written later (times in any common unit).
CopyAction DecideCopy(std::optional<std::uint64_t> targetWriteTime, std::uint64_t sourceWriteTime);

// `text` with every "%PkgPath%" (exact spelling) replaced by `path`.
std::wstring ReplacePackagePath(std::wstring_view text, std::wstring_view path);

}  // namespace vorlan::assoc
