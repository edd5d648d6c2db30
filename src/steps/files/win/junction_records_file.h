#pragma once
// The records of the junction step on this PC and what a run does with
// them: removes the junctions an earlier run made, puts back the folders it
// moved aside, and records what this run makes and moves (layout:
// docs/junction-records.md).

#include <functional>
#include <string>

#include "steps/files/core/junction_records.h"

// The record file through the private-profile calls. A new file is started
// as UTF-16 so that any path survives whatever the code page. Every change
// replaces the file whole (made beside it as <file>.new, then renamed).
class JunctionRecordFile : public vorlan::RecordStore {
 public:
  explicit JunctionRecordFile(std::wstring path) : path_(std::move(path)) {}
  const std::wstring& Path() const { return path_; }

  std::wstring Read(const std::wstring& section, const std::wstring& key) const override;
  bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) override;
  bool DeleteSection(const std::wstring& section) override;
  // Every record at once: the set is written into a scratch file that then
  // takes the file's place in one rename, so a run ended half-way leaves the
  // records before or after, never a part of them.
  bool ReplaceAll(const vorlan::JunctionRecordSet& records);

 private:
  bool Modify(const std::function<bool(const std::wstring&)>& change);
  static void StartFileWhenMissing(const std::wstring& path);
  // `scratch`, when `written`, takes the file's place in one rename;
  // otherwise, or when the rename fails, it is deleted and false returned
  // with the error of the failure.
  bool TakePlaceOfFile(const std::wstring& scratch, bool written);
  std::wstring path_;
};

class CJunctionRecords {
 public:
  static constexpr wchar_t kRecordFile[] = L"c:\\windows\\JunctionCfgInfo.ini";

  // How long a run waits for another (thread or process) that is reading or
  // rewriting the records; what it guards takes milliseconds.
  static constexpr unsigned long kLockWaitMs = 10000;

  explicit CJunctionRecords(std::wstring path = kRecordFile, unsigned long lockWaitMs = kLockWaitMs)
      : file_(std::move(path)), lockWaitMs_(lockWaitMs) {}

  // Removes every junction an earlier run recorded as made (when it still
  // points where it was made to point), then puts back every folder moved
  // aside whose place is free again. Records of what could not be undone
  // stay for a later run; nothing that is not recorded is touched. A record
  // file that is damaged or in another encoding is kept beside itself as it
  // was, and a sound one is started with the records that could be read.
  void RemoveJunctionCfg();

  // Records a junction at `dst` to `src` (`made` false: found there and kept).
  bool WriteJunctionRecord(const std::wstring& src, const std::wstring& dst, bool made);

  // Links `dst` to `src`, first moving whatever is at `dst` aside (and
  // recording the move). When the junction cannot be made, the moved folder
  // is put back and the result is failure.
  bool OldFileMgr(const std::wstring& src, const std::wstring& dst);

  const std::wstring& Path() const { return file_.Path(); }

 private:
  class Lock;
  void RepairWhenDamaged();

  JunctionRecordFile file_;
  unsigned long lockWaitMs_;
};
