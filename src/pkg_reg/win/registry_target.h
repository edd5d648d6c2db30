#pragma once
#include "pkg_reg/core/pkg_reg_target.h"

// Applies registry script entries to the registry of this machine, in the
// calling process's view (or the one `viewFlag` names: KEY_WOW64_64KEY),
// with the thread's ANSI code page for their texts.
class CRegistryTarget : public vorlan::pkgreg::CPkgRegTarget {
 public:
  explicit CRegistryTarget(unsigned long viewFlag = 0) : viewFlag_(viewFlag) {}

  std::wstring FromAnsi(std::string_view bytes) const override;
  bool SetValue(const vorlan::pkgreg::PkgRegValue& value) override;

 private:
  unsigned long viewFlag_;
};
