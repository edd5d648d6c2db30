#pragma once
// The sections of an INI file that nobody else writes, each read once
// through the system's private-profile calls and kept; single values are
// then looked up in memory by the rules of profile_section.h. Where those
// rules cannot tell, the value is read from the file as before. Safe to use
// from several threads.

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/profile_section.h"

namespace OS {

class ProfileSnapshot {
 public:
  explicit ProfileSnapshot(std::wstring path) : path_(std::move(path)) {}

  // The value a single-value read would give (nullopt when the key or the
  // section is missing), or Answer::AskSystem in `answer`.
  vorlan::profile::Answer Find(const std::wstring& section, const std::wstring& key, std::wstring& value);

  // The file was written: read it again when next asked.
  void Forget();

 private:
  struct Section {
    bool askSystem = false;  // too long to list: every key is read from the file
    std::vector<vorlan::profile::Entry> entries;
  };
  const Section& Load(const std::wstring& section);

  const std::wstring path_;
  std::mutex lock_;
  std::optional<std::wstring> names_;      // the list of section names
  std::map<std::wstring, Section> sections_;  // by the name asked for
};

}  // namespace OS
