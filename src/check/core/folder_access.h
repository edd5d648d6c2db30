#pragma once
// What the checker needs of a game folder: the bytes of its option files,
// whether a path below it exists, and the values as the launcher's reader
// returns them.

#include <optional>
#include <string>
#include <string_view>

namespace vorlan::check {

enum class PathKind { Missing, File, Folder };

class FolderAccess {
 public:
  virtual ~FolderAccess() = default;
  // Bytes of the file at `relative` (backslashes), or nothing when it does
  // not exist or cannot be read. Larger files than `limit` bytes yield
  // `limit + 1` bytes at most.
  virtual std::optional<std::string> ReadBytes(const std::wstring& relative, std::size_t limit) const = 0;
  virtual PathKind Probe(const std::wstring& relative) const = 0;
  // The value the system's reader returns from the file at `relative`;
  // nothing: the checker takes the value it scanned.
  virtual std::optional<std::wstring> ReadValue(const std::wstring& /*relative*/, const std::wstring& /*section*/,
                                                const std::wstring& /*key*/) const {
    return std::nullopt;
  }
  // Text in the PC's ANSI code page as characters; nothing: each byte
  // becomes the character of its value.
  virtual std::optional<std::wstring> DecodeAnsi(std::string_view /*bytes*/) const { return std::nullopt; }
  // The path shown in findings.
  virtual std::wstring Display(const std::wstring& relative) const = 0;
};

}  // namespace vorlan::check
