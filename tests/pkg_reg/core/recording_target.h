#pragma once
// A registry stand-in: texts are Latin-1 (one byte, one character) and every
// value set is recorded in order. Keys whose path is listed in
// `unopenableKeys` cannot be created.

#include <set>
#include <string>
#include <vector>

#include "pkg_reg/core/pkg_reg_target.h"

namespace pkgreg_test {

class RecordingTarget : public vorlan::pkgreg::CPkgRegTarget {
 public:
  std::wstring FromAnsi(std::string_view bytes) const override {
    std::wstring out;
    for (char c : bytes) out += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return out;
  }
  bool SetValue(const vorlan::pkgreg::PkgRegValue& value) override {
    if (unopenableKeys.count(value.keyPath)) return false;
    values.push_back(value);
    return true;
  }

  std::set<std::wstring> unopenableKeys;
  std::vector<vorlan::pkgreg::PkgRegValue> values;
};

}  // namespace pkgreg_test
