#pragma once
// Where registry script entries are applied: the registry on Windows, a
// recording stand-in in tests.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pkg_reg/core/entry_name.h"

namespace vorlan::pkgreg {

inline constexpr std::uint32_t kRegSz = 1;

// One value to set: open or create the key, then set the value.
struct PkgRegValue {
  RegRoot root = RegRoot::LocalMachine;
  std::wstring keyPath;
  std::wstring valueName;  // empty: the key's default value
  std::uint32_t type = 0;
  std::wstring text;                // type REG_SZ: written as UTF-16 with its terminating NUL
  std::vector<std::uint8_t> bytes;  // any other type: written exactly as stored
};

class CPkgRegTarget {
 public:
  virtual ~CPkgRegTarget() = default;
  // ANSI text of the calling thread's code page as wide text.
  virtual std::wstring FromAnsi(std::string_view bytes) const = 0;
  // False when the key could not be opened or created; whether setting the
  // value itself worked is not reported.
  virtual bool SetValue(const PkgRegValue& value) = 0;
};

}  // namespace vorlan::pkgreg
