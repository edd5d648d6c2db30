#pragma once
// One registry value of a registry script file: flag, type, name, data.

#include <cstdint>
#include <string>
#include <vector>

#include "pkg_reg/core/pkg_reg_target.h"
#include "pkg_reg/core/pkt_stream_data.h"

enum class EntryApplyResult {
  Written,       // the key was opened or created and the value set
  UnknownRoot,   // not HKCR, HKCU or HKLM: skipped
  KeyNotOpened,  // the key could not be created: skipped
  NameNotSplit,  // the name cannot be split into root, key path and value name
};

class CPkgRegEntry {
 public:
  // Bytes of an entry besides its name and data: flag, type and two lengths.
  static constexpr std::uint64_t kFixedSize = 13;

  CPkgRegEntry() = default;
  CPkgRegEntry(std::uint8_t flag, std::uint32_t type, std::vector<std::uint8_t> name, std::vector<std::uint8_t> data)
      : flag_(flag), type_(type), name_(std::move(name)), data_(std::move(data)) {}
  virtual ~CPkgRegEntry() = default;
  CPkgRegEntry(const CPkgRegEntry&) = default;
  CPkgRegEntry& operator=(const CPkgRegEntry&) = default;
  CPkgRegEntry(CPkgRegEntry&&) = default;
  CPkgRegEntry& operator=(CPkgRegEntry&&) = default;

  virtual std::uint64_t Size() const;
  virtual int Write(CPktStreamData& stream) const;
  virtual int Read(CReadPktStreamData& stream);
  // Writes the value into `target`, with `installDir` in place of
  // "%InstallDir%" in REG_SZ text.
  virtual EntryApplyResult Apply(const std::wstring& installDir, vorlan::pkgreg::CPkgRegTarget& target) const;

  // Whether the name splits (the first check of Apply).
  bool NameSplits(const vorlan::pkgreg::CPkgRegTarget& target) const;

  // Zero: the name ends with a value name. Nonzero: the name is a key path
  // and the key's default value is meant.
  std::uint8_t Flag() const { return flag_; }
  std::uint32_t Type() const { return type_; }
  const std::vector<std::uint8_t>& Name() const { return name_; }
  const std::vector<std::uint8_t>& Data() const { return data_; }

 private:
  std::uint8_t flag_ = 0;
  std::uint32_t type_ = 0;
  std::vector<std::uint8_t> name_;
  std::vector<std::uint8_t> data_;
};
