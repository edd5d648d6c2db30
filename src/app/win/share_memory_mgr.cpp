#include "app/win/share_memory_mgr.h"

#include "app/core/nimbra_block.h"
#include "platform/core/log_mgr.h"

class CShareMemoryMgr::Lock {
 public:
  explicit Lock(HANDLE mutex) : mutex_(mutex) {
    DWORD wait = mutex_ ? ::WaitForSingleObject(mutex_, kLockTimeoutMs) : WAIT_FAILED;
    held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  }
  ~Lock() {
    if (held_) ::ReleaseMutex(mutex_);
  }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
  bool Held() const { return held_; }

 private:
  HANDLE mutex_;
  bool held_ = false;
};

bool CShareMemoryMgr::Open() {
  CLogMgr& log = CLogMgr::GetInstance();
  mapping_.Reset(::OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, kMappingName));
  if (!mapping_) {
    log.Log(64, L"CShareMemoryMgr::Open. OpenFileMapping %s Failed. ErrorCode = %u", kMappingName, ::GetLastError());
    return false;
  }
  view_.Reset(::MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, vorlan::kNimbraSize));
  if (!view_) {
    log.Log(64, L"CShareMemoryMgr::Open. MapViewOfFile %s Failed. ErrorCode = %u", kMappingName, ::GetLastError());
    mapping_.Close();
    return false;
  }
  mutex_.Reset(::CreateMutexW(nullptr, FALSE, kMutexName));
  return true;
}

bool CShareMemoryMgr::Create() {
  mapping_.Reset(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(vorlan::kNimbraSize), kMappingName));
  if (!mapping_) return false;
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  view_.Reset(::MapViewOfFile(mapping_.Get(), FILE_MAP_ALL_ACCESS, 0, 0, vorlan::kNimbraSize));
  if (!view_) return false;
  mutex_.Reset(::CreateMutexW(nullptr, FALSE, kMutexName));
  if (!existed) {
    Lock lock(mutex_.Get());
    vorlan::NimbraBlock(view_.Get(), vorlan::kNimbraSize).Initialize();
  }
  return true;
}

bool CShareMemoryMgr::IsStartRunNow(std::uint32_t gameId) {
  if (!IsOpen()) return false;
  Lock lock(mutex_.Get());
  if (!lock.Held()) {
    CLogMgr::GetInstance().Log(32, L"CShareMemoryMgr::IsStartRunNow. Lock %s Failed. ErrorCode = %u", kMutexName, ::GetLastError());
    return false;
  }
  vorlan::NimbraEntry* entry = vorlan::NimbraBlock(view_.Get(), vorlan::kNimbraSize).Find(gameId);
  return entry && entry->runNow != 0;
}

bool CShareMemoryMgr::NotiyCompomentComplete(std::uint32_t gameId) {
  CLogMgr& log = CLogMgr::GetInstance();
  if (!IsOpen()) return false;
  Lock lock(mutex_.Get());
  vorlan::NimbraEntry* entry =
      lock.Held() ? vorlan::NimbraBlock(view_.Get(), vorlan::kNimbraSize).FindOrAdd(gameId) : nullptr;
  if (!entry) {
    log.Log(32, L"CShareMemoryMgr::NotiyCompomentComplete. Write Failed. GameID: %u", gameId);
    return false;
  }
  entry->runNowButton = 1;
  log.Log(4, L"CShareMemoryMgr::NotiyCompomentComplete. GameID: %u", gameId);
  return true;
}

bool CShareMemoryMgr::ClearRunNow(std::uint32_t gameId) {
  if (!IsOpen()) return false;
  Lock lock(mutex_.Get());
  if (!lock.Held()) {
    CLogMgr::GetInstance().Log(32, L"CShareMemoryMgr::ClearRunNow. Write Failed. GameID: %u", gameId);
    return false;
  }
  vorlan::NimbraEntry* entry = vorlan::NimbraBlock(view_.Get(), vorlan::kNimbraSize).Find(gameId);
  if (entry) entry->runNow = 0;
  return true;
}

bool CShareMemoryMgr::SetRunNow(std::uint32_t gameId, bool runNow) {
  if (!IsOpen()) return false;
  Lock lock(mutex_.Get());
  vorlan::NimbraEntry* entry =
      lock.Held() ? vorlan::NimbraBlock(view_.Get(), vorlan::kNimbraSize).FindOrAdd(gameId) : nullptr;
  if (!entry) return false;
  entry->runNow = runNow ? 1 : 0;
  return true;
}

bool CShareMemoryMgr::ReadEntry(std::uint32_t gameId, std::uint32_t& runNow, std::uint32_t& runNowButton) {
  if (!IsOpen()) return false;
  Lock lock(mutex_.Get());
  vorlan::NimbraEntry* entry =
      lock.Held() ? vorlan::NimbraBlock(view_.Get(), vorlan::kNimbraSize).Find(gameId) : nullptr;
  if (!entry) return false;
  runNow = entry->runNow;
  runNowButton = entry->runNowButton;
  return true;
}
