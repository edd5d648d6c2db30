#include "steps/win/junction_records_file.h"

#include <windows.h>

#include <vector>

#include "platform/core/log_mgr.h"
#include "platform/win/file_copy.h"
#include "platform/win/scoped_resource.h"
#include "steps/core/reparse_buffer.h"
#include "steps/win/junction_point.h"

namespace {

constexpr int kMaxOldNameAttempts = 100;

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
  StartFileWhenMissing();
  return ::WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

bool JunctionRecordFile::DeleteSection(const std::wstring& section) {
  if (!OS::PathExists(path_)) return true;
  return ::WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, path_.c_str()) != FALSE;
}

void JunctionRecordFile::StartFileWhenMissing() {
  OS::ScopedHandle file(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
  if (!file) return;  // it exists (or cannot be made: the write then fails)
  static const unsigned char kUtf16Mark[] = {0xFF, 0xFE};
  DWORD written = 0;
  ::WriteFile(file.Get(), kUtf16Mark, sizeof(kUtf16Mark), &written, nullptr);
}

// --- CJunctionRecords ---

bool CJunctionRecords::WriteJunctionRecord(const std::wstring& src, const std::wstring& dst, bool made) {
  const bool ok = vorlan::AppendJunction(file_, {FullPath(dst), FullPath(src), made});
  if (!ok) {
    CLogMgr::GetInstance().Log(32, L"JunctionOption: CVorlanDlg::WriteJunctionRecord. Cannot record %s --> %s in %s, ErrorCode %u",
                               src, dst, file_.Path(), ::GetLastError());
  }
  return ok;
}

void CJunctionRecords::RemoveJunctionCfg() {
  CLogMgr& log = CLogMgr::GetInstance();
  if (!OS::PathExists(file_.Path())) return;
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

  if (!vorlan::ReplaceRecords(file_, kept)) {
    log.Log(32, L"JunctionOption: CVorlanDlg::RemoveJunctionCfg. Cannot rewrite %s, ErrorCode %u", file_.Path(),
            ::GetLastError());
  }
}

bool CJunctionRecords::OldFileMgr(const std::wstring& src, const std::wstring& dst) {
  CLogMgr& log = CLogMgr::GetInstance();
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
      vorlan::ReplaceRecords(file_, records);
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
      vorlan::ReplaceRecords(file_, records);
    }
  }
  return false;
}
