#pragma once
#include <string>

#include "pkg_reg/core/pkg_reg.h"

// A registry script file on disk.
class CPkgRegFile : public CPkgReg {
 public:
  // True when the file was read, its checksum matched and all its entries
  // were read.
  bool Load(const std::wstring& path);
};
