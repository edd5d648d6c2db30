#include "steps/files/win/junction_records_file.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/log_mgr.h"
#include "platform/win/code_page.h"
#include "platform/win/file.h"
#include "platform/win/file_copy.h"
#include "platform/win/named_mutex_lock.h"
#include "platform/win/scoped_resource.h"
#include "steps/files/core/junction_record_text.h"
#include "steps/files/core/reparse_buffer.h"
#include "steps/files/win/junction_point.h"

namespace {

constexpr int kMaxOldNameAttempts = 100;
constexpr int kMaxDamagedCopies = 100;

// The text of the record file's bytes in their encoding; nothing when they
// do not decode.
std::optional<std::wstring> DecodeRecordFile(const std::string& bytes, vorlan::RecordEncoding encoding) {
  switch (encoding) {
    case vorlan::RecordEncoding::Utf16Le:
    case vorlan::RecordEncoding::Utf16Be: {
      std::wstring text;
      const bool big = encoding == vorlan::RecordEncoding::Utf16Be;
      for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[big ? i + 1 : i]);
        const auto hi = static_cast<unsigned char>(bytes[big ? i : i + 1]);
        text += static_cast<wchar_t>(lo | (hi << 8));
      }
      return text;
    }
    case vorlan::RecordEncoding::Utf8Bom: {
      const std::string_view body = std::string_view(bytes).substr(3);
      if (body.empty()) return std::wstring();
      const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, body.data(), static_cast<int>(body.size()),
                                          nullptr, 0);
      if (n <= 0) return std::nullopt;
      std::wstring text(static_cast<std::size_t>(n), L'\0');
      ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, body.data(), static_cast<int>(body.size()), text.data(), n);
      return text;
    }
    case vorlan::RecordEncoding::Ansi:
      return OS::FromSystemAnsi(bytes);
    case vorlan::RecordEncoding::Binary:
      // What comes before the damage is often sound (a power cut leaves
      // zeros at the end, or half a character): read up to it.
      if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        std::wstring text = *DecodeRecordFile(bytes.substr(0, bytes.size() & ~std::size_t{1}),
                                              vorlan::RecordEncoding::Utf16Le);
        return text.substr(0, text.find(L'\0'));
      }
      return OS::FromSystemAnsi(std::string_view(bytes).substr(0, bytes.find('\0')));
  }
  return std::nullopt;
}

bool Occupied(const std::wstring& path) { return OS::PathExists(path) || IsReparsePoint(path); }

std::wstring FullPath(const std::wstring& path) {
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (n >= buffer.size()) {
    buffer.resize(n + 1);
    n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  }
  if (n == 0 || n >= buffer.size()) return path;
  return std::wstring(buffer.data(), n);
}

const wchar_t* ResultWord(bool ok) { return ok ? L"Success" : L"Failed"; }

}  // namespace

// --- JunctionRecordFile ---

std::wstring JunctionRecordFile::Read(const std::wstring& section, const std::wstring& key) const {
  std::vector<wchar_t> buffer(32768, L'\0');
  const DWORD n = ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                             static_cast<DWORD>(buffer.size()), path_.c_str());
  return std::wstring(buffer.data(), n);
}

bool JunctionRecordFile::Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  return Modify([&](const std::wstring& file) {
    return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
  });
}

bool JunctionRecordFile::DeleteSection(const std::wstring& section) {
  if (!OS::PathExists(path_)) return true;
  return Modify([&](const std::wstring& file) {
    return ::WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, file.c_str()) != FALSE;
  });
}

// The system rewrites the whole file for every change; a process ended in
// the middle would leave it cut short. So the change is made on a copy that
// then takes the file's place in one rename: the file is always the one
// before or the one after.
bool JunctionRecordFile::Modify(const std::function<bool(const std::wstring&)>& change) {
  const std::wstring next = path_ + L".new";
  ::DeleteFileW(next.c_str());
  if (OS::PathExists(path_) && !::CopyFileW(path_.c_str(), next.c_str(), FALSE)) return false;
  StartFileWhenMissing(next);
  return TakePlaceOfFile(next, change(next));
}

bool JunctionRecordFile::ReplaceAll(const vorlan::JunctionRecordSet& records) {
  const std::wstring scratch = path_ + L".next";
  ::DeleteFileW(scratch.c_str());
  JunctionRecordFile next(scratch);
  return TakePlaceOfFile(scratch, vorlan::ReplaceRecords(next, records));
}

bool JunctionRecordFile::TakePlaceOfFile(const std::wstring& scratch, bool written) {
  if (!written || !::MoveFileExW(scratch.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(scratch.c_str());
    ::SetLastError(error);
    return false;
  }
  return true;
}

void JunctionRecordFile::StartFileWhenMissing(const std::wstring& path) {
  // An empty file counts as missing: a run ended between making the file and
  // writing its mark would otherwise leave every later record in ANSI (so
  // Windows writes into a file without a mark; Wine picks UTF-16 by itself).
  OS::ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;  // cannot be opened now: the write then fails
  LARGE_INTEGER size = {};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart != 0) return;
  static const unsigned char kUtf16Mark[] = {0xFF, 0xFE};
  DWORD written = 0;
  ::WriteFile(file.Get(), kUtf16Mark, sizeof(kUtf16Mark), &written, nullptr);
}

// --- CJunctionRecords ---

// Every reading and rewriting of the records, by any thread or process of
// this PC, happens while this is held.
class CJunctionRecords::Lock {
 public:
  Lock(const CJunctionRecords& records, const wchar_t* method)
      : lock_(vorlan::RecordLockName(records.Path()), records.lockWaitMs_) {
    CLogMgr& log = CLogMgr::GetInstance();
    switch (lock_.GetState()) {
      case OS::ScopedNamedMutexLock::State::Owned:
        break;
      case OS::ScopedNamedMutexLock::State::OwnedAfterAbandon:
        log.Log(32, L"JunctionOption: CVorlanDlg::%s. A run that was using %s ended half-way; its records are checked",
                method, records.Path());
        break;
      case OS::ScopedNamedMutexLock::State::TimedOut:
        log.Log(32, L"JunctionOption: CVorlanDlg::%s. %s is in use by another run for more than %u ms, not touched",
                method, records.Path(), records.lockWaitMs_);
        break;
      case OS::ScopedNamedMutexLock::State::Failed:
        log.Log(32, L"JunctionOption: CVorlanDlg::%s. Cannot lock %s, not touched, ErrorCode %u", method,
                records.Path(), lock_.Error());
        break;
    }
  }
  bool Owned() const { return lock_.Owned(); }

 private:
  OS::ScopedNamedMutexLock lock_;
};

bool CJunctionRecords::WriteJunctionRecord(const std::wstring& src, const std::wstring& dst, bool made) {
  const Lock lock(*this, L"WriteJunctionRecord");
  const bool ok = lock.Owned() && vorlan::AppendJunction(file_, {FullPath(dst), FullPath(src), made});
  if (!ok) {
    CLogMgr::GetInstance().Log(32, L"JunctionOption: CVorlanDlg::WriteJunctionRecord. Cannot record %s --> %s in %s, ErrorCode %u",
                               src, dst, file_.Path(), ::GetLastError());
  }
  return ok;
}

void CJunctionRecords::RemoveJunctionCfg() {
  CLogMgr& log = CLogMgr::GetInstance();
  const Lock lock(*this, L"RemoveJunctionCfg");
  if (!lock.Owned()) return;  // the records stay for the next run
  if (!OS::PathExists(file_.Path())) return;
  RepairWhenDamaged();
  const vorlan::JunctionRecordSet records = vorlan::LoadRecords(file_);
  vorlan::JunctionRecordSet kept;

  for (const vorlan::JunctionRecord& r : records.junctions) {
    if (!r.made) continue;  // found there, not ours to remove
    if (!IsReparsePoint(r.dst)) {
      log.Log(4, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. No junction at %s any more", r.dst);
      continue;
    }
    const std::optional<std::wstring> target = JunctionTarget(r.dst);
    if (!target || !vorlan::SamePath(*target, vorlan::SubstituteNameFor(r.src))) {
      log.Log(4, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. The junction at %s is not the one recorded, left alone",
              r.dst);
      continue;
    }
    const bool removed = RemoveJunction(r.dst);
    if (removed) ::RemoveDirectoryW(r.dst.c_str());  // the folder that held the junction, empty now
    log.Log(4, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. Remove Junction %s --> %s, %s", r.src, r.dst,
            ResultWord(removed));
    if (!removed) kept.junctions.push_back(r);
  }

  // Latest first: a place moved aside twice gets its first folder back last.
  std::vector<vorlan::OldFolderRecord> restoreKept;
  for (auto it = records.oldFolders.rbegin(); it != records.oldFolders.rend(); ++it) {
    const vorlan::OldFolderRecord& r = *it;
    if (!Occupied(r.old)) {
      log.Log(32, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. The folder moved aside is gone: %s", r.old);
      continue;
    }
    if (OS::IsDirectory(r.dst) && !IsReparsePoint(r.dst) && IsEmptyFolder(r.dst)) ::RemoveDirectoryW(r.dst.c_str());
    if (Occupied(r.dst)) {
      log.Log(32, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. %s is in use, the old folder stays at %s", r.dst, r.old);
      restoreKept.push_back(r);
      continue;
    }
    const bool moved = ::MoveFileW(r.old.c_str(), r.dst.c_str()) != FALSE;
    log.Log(4, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. Restore Old Folder %s --> %s, %s", r.old, r.dst,
            ResultWord(moved));
    if (!moved) restoreKept.push_back(r);
  }
  kept.oldFolders.assign(restoreKept.rbegin(), restoreKept.rend());

  if (!file_.ReplaceAll(kept)) {
    log.Log(32, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. Cannot rewrite %s, ErrorCode %u", file_.Path(),
            ::GetLastError());
  }
}

void CJunctionRecords::RepairWhenDamaged() {
  CLogMgr& log = CLogMgr::GetInstance();
  const std::optional<std::vector<std::uint8_t>> raw = OS::CFile::ReadAll(file_.Path());
  if (!raw) return;  // cannot be read now: the INI reader finds nothing either
  const std::string bytes(raw->begin(), raw->end());
  const vorlan::RecordEncoding encoding = vorlan::DetectRecordEncoding(bytes);
  const std::optional<std::wstring> text = DecodeRecordFile(bytes, encoding);
  vorlan::RecordTextCheck check;
  if (text) check = vorlan::CheckRecordText(*text);
  if (vorlan::ReadableEncoding(encoding) && text && check.problems.empty()) return;

  // What the log says is wrong: the encoding when it is not one the INI
  // reader takes, else the first problem found.
  std::wstring what;
  if (!text) {
    what = std::wstring(vorlan::EncodingName(encoding)) + L" that does not decode";
  } else if (!vorlan::ReadableEncoding(encoding)) {
    what = vorlan::EncodingName(encoding);
  } else {
    what = check.problems.front();
    if (check.problems.size() > 1) what += L", and " + std::to_wstring(check.problems.size() - 1) + L" more";
  }

  // The file as it was stays beside it; nothing in it is lost.
  std::wstring copy;
  for (int i = 0; i < kMaxDamagedCopies && copy.empty(); ++i) {
    const std::wstring candidate = file_.Path() + L".damaged" + (i == 0 ? L"" : std::to_wstring(i));
    if (::CopyFileW(file_.Path().c_str(), candidate.c_str(), TRUE)) copy = candidate;
  }
  if (copy.empty()) {
    log.Log(32, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. %s is damaged (%s) and no copy of it can be kept: left as it is, ErrorCode %u",
            file_.Path(), what, ::GetLastError());
    return;
  }
  // The sound file is made whole beside the damaged one, then takes its place.
  const bool replaced = file_.ReplaceAll(check.records);
  if (!replaced) {
    log.Log(32, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. %s is damaged (%s) and cannot be rewritten: left as it is, a copy is at %s, ErrorCode %u",
            file_.Path(), what, copy, ::GetLastError());
    return;
  }
  log.Log(32, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. %s is damaged (%s): rewritten with the %u junction and %u old-folder records that could be read; the file as it was is at %s",
          file_.Path(), what, static_cast<unsigned>(check.records.junctions.size()),
          static_cast<unsigned>(check.records.oldFolders.size()), copy);
}

bool CJunctionRecords::OldFileMgr(const std::wstring& src, const std::wstring& dst) {
  CLogMgr& log = CLogMgr::GetInstance();
  // Held from the record of the move to the record of the junction (or the
  // folder's return): another run never sees the folder aside unrecorded.
  const Lock lock(*this, L"OldFileMgr");
  if (!lock.Owned()) return false;
  std::wstring old;
  if (Occupied(dst)) {
    for (int attempt = 0; attempt < kMaxOldNameAttempts && old.empty(); ++attempt) {
      std::wstring candidate = vorlan::OldFolderName(dst, attempt);
      if (!Occupied(candidate)) old = std::move(candidate);
    }
    const vorlan::OldFolderRecord record{FullPath(dst), old.empty() ? old : FullPath(old)};
    // Recorded before it moves: a run that stops half-way still knows where it is.
    if (old.empty() || !vorlan::AppendOldFolder(file_, record)) {
      log.Log(32, L"JunctionOption: CVorlanDlg::OldFileMgr. Cannot move %s aside, nothing changed", dst);
      return false;
    }
    const bool moved = ::MoveFileW(dst.c_str(), old.c_str()) != FALSE;
    log.Log(4, L"JunctionOption: CVorlanDlg::OldFileMgr. Move Old Folder %s --> %s, %s", dst, old, ResultWord(moved));
    if (!moved) {
      vorlan::JunctionRecordSet records = vorlan::LoadRecords(file_);
      std::erase_if(records.oldFolders, [&](const vorlan::OldFolderRecord& r) {
        return vorlan::SamePath(r.old, record.old);
      });
      file_.ReplaceAll(records);
      return false;
    }
  }

  const JunctionOutcome outcome = CreateJunction(dst, src, 3);
  if (outcome == JunctionOutcome::Kept) {
    WriteJunctionRecord(src, dst, false);
    return true;
  }
  if (outcome == JunctionOutcome::Created) {
    if (WriteJunctionRecord(src, dst, true)) return true;
    // A junction without a record would never be taken down again: undo it
    // and put the old folder back, as when no junction can be made.
    RemoveJunction(dst);
    ::RemoveDirectoryW(dst.c_str());
  }
  if (!old.empty()) {
    const bool back = !Occupied(dst) && ::MoveFileW(old.c_str(), dst.c_str()) != FALSE;
    log.Log(4, L"JunctionOption: CVorlanDlg::OldFileMgr. Junction Failed, Restore Old Folder %s --> %s, %s", old, dst,
            ResultWord(back));
    if (back) {
      vorlan::JunctionRecordSet records = vorlan::LoadRecords(file_);
      std::erase_if(records.oldFolders, [&](const vorlan::OldFolderRecord& r) {
        return vorlan::SamePath(r.old, FullPath(old));
      });
      file_.ReplaceAll(records);
    }
  }
  return false;
}
