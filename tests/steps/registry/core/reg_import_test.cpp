#include "steps/registry/core/reg_import.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace vorlan;

namespace {

TEST(ImportKind, PackageRegistryFilesAreKnownByTheirExtensionInAnyCase) {
  const struct {
    const wchar_t* path;
    RegImportKind kind;
  } cases[] = {
      {L"reg\\game.nfd", RegImportKind::PackageRegistryFile},
      {L"C:\\g\\GAME.PSD", RegImportKind::PackageRegistryFile},
      {L"x.Nfd", RegImportKind::PackageRegistryFile},
      {L"game.reg", RegImportKind::RegEditorFile},
      {L"game.nfd.reg", RegImportKind::RegEditorFile},
      {L"nfd", RegImportKind::RegEditorFile},
      {L"game.nfdx", RegImportKind::RegEditorFile},
      {L"", RegImportKind::RegEditorFile},
  };
  for (const auto& c : cases) EXPECT_EQ(ImportKindOf(c.path), c.kind) << c.path;
}

// Writes down each call; fails the calls whose key or value name is listed.
class RecordingWriter final : public RegWriter {
 public:
  std::map<std::wstring, long> failing;  // key path or value name -> error code
  std::vector<std::wstring> calls;

  long OpenKey(RegRootKey, const std::wstring& path) override { return Note(L"open " + path, path); }
  long SetValue(const std::wstring& name, std::uint32_t type, const std::vector<std::uint8_t>& data) override {
    return Note(L"set " + name + L" " + std::to_wstring(type) + L" " + std::to_wstring(data.size()), name);
  }
  long DeleteValue(const std::wstring& name) override { return Note(L"unset " + name, name); }
  long DeleteTree(RegRootKey, const std::wstring& path) override { return Note(L"delete " + path, path); }

 private:
  long Note(const std::wstring& call, const std::wstring& key) {
    calls.push_back(call);
    const auto it = failing.find(key);
    return it == failing.end() ? 0 : it->second;
  }
};

RegFileOp Op(RegOpKind kind, std::wstring keyOrName, std::size_t line, std::size_t bytes = 0) {
  RegFileOp op;
  op.kind = kind;
  op.line = line;
  if (kind == RegOpKind::OpenKey || kind == RegOpKind::DeleteKey)
    op.keyPath = std::move(keyOrName);
  else
    op.valueName = std::move(keyOrName);
  op.type = kRegTypeBinary;
  op.data.assign(bytes, 0x5A);
  return op;
}

const std::vector<RegFileOp> kFile = {
    Op(RegOpKind::DeleteKey, L"Software\\Old", 2), Op(RegOpKind::OpenKey, L"Software\\A", 3),
    Op(RegOpKind::SetValue, L"x", 4, 3),           Op(RegOpKind::DeleteValue, L"y", 5),
    Op(RegOpKind::OpenKey, L"Software\\B", 7),     Op(RegOpKind::SetValue, L"z", 8, 1),
};

TEST(ApplyRegOps, OperationsRunInFileOrderAndFailuresAreCountedWithoutStoppingTheFile) {
  const struct {
    const char* name;
    std::map<std::wstring, long> failing;
    std::vector<std::wstring> calls;
    std::size_t failed, firstLine;
    long firstError;
  } cases[] = {
      {"all succeed", {},
       {L"delete Software\\Old", L"open Software\\A", L"set x 3 3", L"unset y", L"open Software\\B", L"set z 3 1"}, 0, 0, 0},
      {"a key delete fails", {{L"Software\\Old", 5}},
       {L"delete Software\\Old", L"open Software\\A", L"set x 3 3", L"unset y", L"open Software\\B", L"set z 3 1"}, 1, 2, 5},
      // The values below a key that cannot be opened are not tried; the next key is.
      {"a key cannot be opened", {{L"Software\\A", 5}},
       {L"delete Software\\Old", L"open Software\\A", L"open Software\\B", L"set z 3 1"}, 3, 3, 5},
      {"two values fail", {{L"x", 87}, {L"z", 1450}},
       {L"delete Software\\Old", L"open Software\\A", L"set x 3 3", L"unset y", L"open Software\\B", L"set z 3 1"}, 2, 4, 87},
  };
  for (const auto& c : cases) {
    RecordingWriter writer;
    writer.failing = c.failing;
    const RegApplyReport report = ApplyRegOps(kFile, writer);
    EXPECT_EQ(writer.calls, c.calls) << c.name;
    EXPECT_EQ(report.total, kFile.size()) << c.name;
    EXPECT_EQ(report.failed, c.failed) << c.name;
    EXPECT_EQ(report.firstFailedLine, c.firstLine) << c.name;
    EXPECT_EQ(report.firstError, c.firstError) << c.name;
    EXPECT_EQ(report.Succeeded(), c.failed == 0) << c.name;
  }
}

TEST(ApplyRegOps, AnEmptyFileDoesNothingAndSucceeds) {
  RecordingWriter writer;
  const RegApplyReport report = ApplyRegOps({}, writer);
  EXPECT_TRUE(writer.calls.empty());
  EXPECT_TRUE(report.Succeeded());
  EXPECT_EQ(report.total, 0u);
}

}  // namespace
