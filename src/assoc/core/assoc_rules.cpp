#include "assoc/core/assoc_rules.h"

namespace vorlan::assoc {
namespace {

constexpr std::uint16_t kMachineI386 = 0x014C;
constexpr std::uint16_t kMachineAmd64 = 0x8664;
constexpr std::size_t kNewHeaderOffsetAt = 0x3C;

std::uint32_t ReadLe(std::string_view bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i)
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

}  // namespace

std::optional<std::uint32_t> ParsePackageId(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - L'0');
  }
  if (value == 0 || value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

FileBitness ImageBitness(std::string_view head) {
  if (head.size() < kNewHeaderOffsetAt + 4 || head[0] != 'M' || head[1] != 'Z') return FileBitness::NotImage;
  const std::uint64_t peAt = ReadLe(head, kNewHeaderOffsetAt, 4);
  if (peAt + 6 > head.size()) return FileBitness::NotImage;
  if (head.substr(static_cast<std::size_t>(peAt), 4) != std::string_view("PE\0\0", 4)) return FileBitness::NotImage;
  const std::uint32_t machine = ReadLe(head, static_cast<std::size_t>(peAt) + 4, 2);
  if (machine == kMachineI386) return FileBitness::Image32;
  if (machine == kMachineAmd64) return FileBitness::Image64;
  return FileBitness::OtherMachine;
}

SystemFolder TargetFolder(FileBitness bitness, bool is64BitOs) {
  switch (bitness) {
    case FileBitness::Image64:
      return is64BitOs ? SystemFolder::Native : SystemFolder::None;
    case FileBitness::Image32:
    case FileBitness::NotImage:
      return is64BitOs ? SystemFolder::Wow32 : SystemFolder::Native;
    case FileBitness::OtherMachine:
      break;
  }
  return SystemFolder::None;
}

CopyAction DecideCopy(std::optional<std::uint64_t> targetWriteTime, std::uint64_t sourceWriteTime) {
  if (!targetWriteTime) return CopyAction::Copy;
  return sourceWriteTime > *targetWriteTime ? CopyAction::Replace : CopyAction::Keep;
}

std::wstring ReplacePackagePath(std::wstring_view text, std::wstring_view path) {
  constexpr std::wstring_view kMacro = L"%PkgPath%";
  std::wstring out;
  std::size_t at = 0;
  for (std::size_t found; (found = text.find(kMacro, at)) != std::wstring_view::npos; at = found + kMacro.size()) {
    out.append(text.substr(at, found - at));
    out.append(path);
  }
  out.append(text.substr(at));
  return out;
}

}  // namespace vorlan::assoc
