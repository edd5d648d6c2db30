#pragma once
// The channel to the game menu: the shared block "NimbraSharedMem" (layout in
// app/core/nimbra_block.h), guarded by the named mutex "NimbraSharedMemMutex".
// The game menu creates the block; the launcher opens it, reads the run-now
// flag of its game, and sets the flag that activates the menu's run-now
// button. Every access holds the mutex (with a time limit, so a hung menu
// never hangs the launcher).

#include <windows.h>

#include <cstdint>

#include "platform/win/scoped_resource.h"

class CShareMemoryMgr {
 public:
  static constexpr const wchar_t* kMappingName = L"NimbraSharedMem";
  static constexpr const wchar_t* kMutexName = L"NimbraSharedMemMutex";
  static constexpr DWORD kLockTimeoutMs = 3000;

  // Opens the menu's block; false (logged) when the menu has not created it.
  bool Open();
  // The menu's side (the test tool): creates the block and its mutex.
  bool Create();
  bool IsOpen() const { return view_.IsValid(); }

  bool IsStartRunNow(std::uint32_t gameId);
  // Sets the run-now button flag of the game (the entry is made if missing).
  bool NotiyCompomentComplete(std::uint32_t gameId);
  bool ClearRunNow(std::uint32_t gameId);

  // The menu's side: asks for an immediate start; reads the button flag.
  bool SetRunNow(std::uint32_t gameId, bool runNow);
  bool ReadEntry(std::uint32_t gameId, std::uint32_t& runNow, std::uint32_t& runNowButton);

 private:
  class Lock;
  OS::ScopedHandle mapping_;
  OS::ScopedMappedView view_;
  OS::ScopedHandle mutex_;
};
