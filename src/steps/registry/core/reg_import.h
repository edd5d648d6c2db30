#pragma once
// Step "ImportReg": what kind of file an entry names, and the order in
// which the operations of a registry editor file (.reg) are carried out and
// counted. The registry itself is behind RegWriter, so that the decisions
// are made (and tested) here and the Win32 side only opens keys and writes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "steps/registry/core/reg_file.h"

namespace vorlan {

enum class RegImportKind {
  RegEditorFile,        // anything else: read by ParseRegFile
  PackageRegistryFile,  // "*.nfd", "*.psd" (ASCII case ignored): the registry script engine
};

RegImportKind ImportKindOf(std::wstring_view path);

// The registry as the applier sees it. Every call returns 0 or the system
// error code of the failure.
class RegWriter {
 public:
  virtual ~RegWriter() = default;
  // Creates (when missing) and opens the key that the value calls below act
  // on, closing the one opened before. An empty path is the root itself.
  virtual long OpenKey(RegRootKey root, const std::wstring& path) = 0;
  // On the key of the last successful OpenKey; the value is written whole or
  // not at all.
  virtual long SetValue(const std::wstring& name, std::uint32_t type, const std::vector<std::uint8_t>& data) = 0;
  // A value that does not exist counts as deleted.
  virtual long DeleteValue(const std::wstring& name) = 0;
  // The key and everything below it; a key that does not exist counts as
  // deleted.
  virtual long DeleteTree(RegRootKey root, const std::wstring& path) = 0;
};

struct RegApplyReport {
  std::size_t total = 0;   // operations of the file
  std::size_t failed = 0;  // of them
  std::size_t firstFailedLine = 0;  // line of the first failed one, from 1; 0: none failed
  long firstError = 0;              // and its system error code

  bool Succeeded() const { return failed == 0; }
};

// Carries out the operations in file order. A failed operation does not stop
// the others. A value operation below a key that could not be opened is not
// tried and fails with that key's error code.
RegApplyReport ApplyRegOps(const std::vector<RegFileOp>& ops, RegWriter& writer);

}  // namespace vorlan
