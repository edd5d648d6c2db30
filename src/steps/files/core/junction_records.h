#pragma once
// The records of the junction step: every junction it made (so that the
// next run removes exactly those) and every real folder it moved aside to
// make room for one (so that a later run puts it back). The file is an INI
// file; the layout is documented in docs/junction-records.md. This file
// holds the layout; the Win32 side supplies the store (the private-profile
// calls on "c:\windows\JunctionCfgInfo.ini").

#include <string>
#include <string_view>
#include <vector>

namespace vorlan {

struct JunctionRecord {
  std::wstring dst;   // where the junction is
  std::wstring src;   // what it points to
  bool made = true;   // false: a folder or junction found there and kept
};

struct OldFolderRecord {
  std::wstring dst;   // the place the folder was moved away from
  std::wstring old;   // where it is now
};

struct JunctionRecordSet {
  std::vector<JunctionRecord> junctions;
  std::vector<OldFolderRecord> oldFolders;
};

// Key-value access to the record file, section by section.
class RecordStore {
 public:
  virtual std::wstring Read(const std::wstring& section, const std::wstring& key) const = 0;
  virtual bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) = 0;
  virtual bool DeleteSection(const std::wstring& section) = 0;

 protected:
  ~RecordStore() = default;
};

// Entries beyond this count are not read (a damaged count cannot make a run
// loop for ever).
inline constexpr int kMaxRecords = 4096;

JunctionRecordSet LoadRecords(const RecordStore& store);

// Adds one record after the last; the entry is written before the count, so
// a run that stops half-way leaves no count that covers a half-written
// entry.
bool AppendJunction(RecordStore& store, const JunctionRecord& record);
bool AppendOldFolder(RecordStore& store, const OldFolderRecord& record);

// Replaces every record by `records`.
bool ReplaceRecords(RecordStore& store, const JunctionRecordSet& records);

// The name a folder at `dst` is moved to: beside it, "<dst>.VorlanOld",
// then "<dst>.VorlanOld1", "<dst>.VorlanOld2", ... for later attempts.
std::wstring OldFolderName(std::wstring_view dst, int attempt);

// The name of the lock that every run, thread or process, holds while it
// reads and rewrites the record file at `path`: the same for every spelling
// of the path (letter case, slashes), and short enough for an object name.
std::wstring RecordLockName(std::wstring_view path);

// Whether two paths name the same place (ignoring case and trailing
// backslashes).
bool SamePath(std::wstring_view a, std::wstring_view b);

}  // namespace vorlan
