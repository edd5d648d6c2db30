#pragma once
// Reads and writes an INI file through the system's private-profile calls.
// One door for every configuration file of the program: the option file
// "VorlanCfg.ini", the component catalogue, the select file.

#include <memory>
#include <string>

namespace OS {

class ProfileSnapshot;

class IniFile {
 public:
  // Told of every value read through any IniFile of the process: the file
  // (as given), the section and the key. For tests that hold the keys the
  // program reads against the keys it documents; none is set in the product.
  class ReadObserver {
   public:
    virtual void Read(const std::wstring& path, const std::wstring& section, const std::wstring& key) = 0;

   protected:
    ~ReadObserver() = default;
  };
  // Null: none. The observer must be thread-safe and outlive its setting.
  static void SetReadObserver(ReadObserver* observer);

  IniFile() = default;
  explicit IniFile(std::wstring path) : path_(std::move(path)) {}

  const std::wstring& Path() const { return path_; }

  // From now on values are read from a copy of the file taken now, at
  // `copyPath`: a file rewritten while the program runs is never read half
  // old, half new. Writes go to the file and to the copy. False, and reads
  // stay on the file, when no copy can be made.
  // The copy changes only through this object, so its sections are read
  // from it once each and kept (see ProfileSnapshot); a write drops them.
  bool ReadFromCopy(const std::wstring& copyPath);
  // Where values are read from: the copy, or the file itself.
  const std::wstring& ReadPath() const { return copyPath_.empty() ? path_ : copyPath_; }

  // At most `maxChars` characters (1023 by default); an empty default.
  // `out` is changed only when the read yields at least one character.
  void ReadString(const std::wstring& section, const std::wstring& key, std::wstring& out,
                  unsigned maxChars = 1023) const;
  // The value, or an empty string when missing.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key, unsigned maxChars = 1023) const;
  // The system's INI integer reader.
  int ReadInt(const std::wstring& section, const std::wstring& key, int defaultValue = 0) const;

  bool WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;
  bool WriteInt(const std::wstring& section, const std::wstring& key, int value) const;

 private:
  std::wstring path_;
  std::wstring copyPath_;
  std::shared_ptr<ProfileSnapshot> snapshot_;  // only while reading from the copy
};

}  // namespace OS
