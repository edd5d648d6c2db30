#include "pkg_reg/core/pkg_reg_entry.h"

#include <algorithm>
#include <string_view>

#include "pkg_reg/core/entry_name.h"
#include "pkg_reg/core/install_dir.h"

using namespace vorlan::pkgreg;

namespace {

std::string_view AsText(const std::vector<std::uint8_t>& bytes) {
  return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// String data ends at its length or at its first NUL.
std::string_view StringData(const std::vector<std::uint8_t>& bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  return AsText(bytes).substr(0, static_cast<std::size_t>(end - bytes.begin()));
}

}  // namespace

std::uint64_t CPkgRegEntry::Size() const {
  return kFixedSize + static_cast<std::uint64_t>(name_.size()) + static_cast<std::uint64_t>(data_.size());
}

int CPkgRegEntry::Write(CPktStreamData& stream) const {
  if (stream.WriteByte(flag_) != 0) return -1;
  if (stream.WriteUInt32(type_) != 0) return -1;
  if (stream.WriteBlock(name_) != 0) return -1;
  return stream.WriteBlock(data_);
}

int CPkgRegEntry::Read(CReadPktStreamData& stream) {
  if (stream.ReadByte(flag_) != 0) return -1;
  if (stream.ReadUInt32(type_) != 0) return -1;
  if (stream.ReadBlock(name_) != 0) return -1;
  return stream.ReadBlock(data_);
}

bool CPkgRegEntry::NameSplits(const CPkgRegTarget& target) const {
  return SplitEntryName(target.FromAnsi(AsText(name_)), flag_ != 0).has_value();
}

EntryApplyResult CPkgRegEntry::Apply(const std::wstring& installDir, CPkgRegTarget& target) const {
  const std::optional<EntryName> name = SplitEntryName(target.FromAnsi(AsText(name_)), flag_ != 0);
  if (!name) return EntryApplyResult::NameNotSplit;
  const std::optional<RegRoot> root = RootFromName(name->root);
  if (!root) return EntryApplyResult::UnknownRoot;

  PkgRegValue value;
  value.root = *root;
  value.keyPath = name->keyPath;
  value.valueName = name->valueName;
  value.type = type_;
  if (type_ == kRegSz)
    value.text = ReplaceInstallDir(target.FromAnsi(StringData(data_)), installDir);
  else
    value.bytes = data_;
  return target.SetValue(value) ? EntryApplyResult::Written : EntryApplyResult::KeyNotOpened;
}
