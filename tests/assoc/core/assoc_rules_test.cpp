// The associated-game step's decisions: package ids, the system folder of a
// file by its headers, and when a system file is replaced.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "assoc/core/assoc_rules.h"

using namespace vorlan::assoc;

namespace {

// A file head with "MZ", the PE header at `peAt` and the machine field.
std::string Image(std::uint16_t machine, std::size_t peAt = 0x80, std::size_t size = 0x100) {
  std::string bytes(size, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  for (int i = 0; i < 4; ++i) bytes[0x3C + i] = static_cast<char>((peAt >> (8 * i)) & 0xFF);
  if (peAt + 6 <= size) {
    bytes.replace(peAt, 4, std::string("PE\0\0", 4));
    bytes[peAt + 4] = static_cast<char>(machine & 0xFF);
    bytes[peAt + 5] = static_cast<char>(machine >> 8);
  }
  return bytes;
}

}  // namespace

TEST(AssocRules, PackageIds) {
  struct Row {
    const wchar_t* text;
    std::optional<std::uint32_t> id;
  };
  const Row rows[] = {
      {L"20001", 20001u},       {L" 7 ", 7u},          {L"4294967295", 4294967295u},
      {L"4294967296", {}},      {L"0", {}},            {L"", {}},
      {L"-5", {}},              {L"12a", {}},          {L"0x10", {}},
      {L"99999999999", {}},     {L"1 2", {}},          {L"00042", 42u},
  };
  for (const Row& row : rows) EXPECT_EQ(ParsePackageId(row.text), row.id) << "text: " << row.text;
}

TEST(AssocRules, BitnessFromTheHeaders) {
  std::string wrongSignature = Image(0x014C);
  wrongSignature[0x80] = 'X';
  struct Row {
    std::string head;
    FileBitness bitness;
  };
  const Row rows[] = {
      {Image(0x014C), FileBitness::Image32},
      {Image(0x8664), FileBitness::Image64},
      {Image(0xAA64), FileBitness::OtherMachine},
      {wrongSignature, FileBitness::NotImage},
      {Image(0x8664, 0xFC), FileBitness::NotImage},       // header runs past the head
      {Image(0x8664, 0xFFFFFFF0u), FileBitness::NotImage},  // offset far beyond
      {"[Settings]\r\nA=1\r\n", FileBitness::NotImage},
      {"MZ", FileBitness::NotImage},
      {"", FileBitness::NotImage},
  };
  for (const Row& row : rows) EXPECT_EQ(ImageBitness(row.head), row.bitness) << "head size " << row.head.size();
}

TEST(AssocRules, SystemFolderByBitnessAndWindows) {
  struct Row {
    FileBitness bitness;
    bool is64BitOs;
    SystemFolder folder;
  };
  const Row rows[] = {
      {FileBitness::Image64, true, SystemFolder::Native},   {FileBitness::Image64, false, SystemFolder::None},
      {FileBitness::Image32, true, SystemFolder::Wow32},    {FileBitness::Image32, false, SystemFolder::Native},
      {FileBitness::NotImage, true, SystemFolder::Wow32},   {FileBitness::NotImage, false, SystemFolder::Native},
      {FileBitness::OtherMachine, true, SystemFolder::None}, {FileBitness::OtherMachine, false, SystemFolder::None},
  };
  for (const Row& row : rows)
    EXPECT_EQ(TargetFolder(row.bitness, row.is64BitOs), row.folder)
        << static_cast<int>(row.bitness) << " on 64-bit: " << row.is64BitOs;
}

TEST(AssocRules, OnlyANewerPackageFileReplacesAnExistingOne) {
  struct Row {
    std::optional<std::uint64_t> target;
    std::uint64_t source;
    CopyAction action;
  };
  const Row rows[] = {
      {std::nullopt, 5, CopyAction::Copy},
      {4, 5, CopyAction::Replace},
      {5, 5, CopyAction::Keep},
      {6, 5, CopyAction::Keep},
  };
  for (const Row& row : rows) EXPECT_EQ(DecideCopy(row.target, row.source), row.action) << row.source;
}

TEST(AssocRules, PackagePathMacro) {
  struct Row {
    const wchar_t* text;
    const wchar_t* out;
  };
  const Row rows[] = {
      {L"%PkgPath%", L"E:\\Pkg"},
      {L"%PkgPath%\\bin;%PkgPath%\\x.exe", L"E:\\Pkg\\bin;E:\\Pkg\\x.exe"},
      {L"%pkgpath%", L"%pkgpath%"},
      {L"none", L"none"},
      {L"", L""},
  };
  for (const Row& row : rows) EXPECT_EQ(ReplacePackagePath(row.text, L"E:\\Pkg"), row.out);
}
