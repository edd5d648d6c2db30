#pragma once
#include "PkgRegInfo/core/pkg_reg_target.h"

// Applies registry script entries to the registry of this machine, in the
// calling process's view, with the thread's ANSI code page for their texts.
class CRegistryTarget : public vorlan::pkgreg::CPkgRegTarget {
 public:
  std::wstring FromAnsi(std::string_view bytes) const override;
  bool SetValue(const vorlan::pkgreg::PkgRegValue& value) override;
};
