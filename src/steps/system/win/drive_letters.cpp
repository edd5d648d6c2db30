#include "steps/system/win/drive_letters.h"

#include <windows.h>
#include <winnetwk.h>

#include <future>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/win/system_functions.h"

namespace vorlan::steps {
namespace {

// A network drive (connected or only remembered), asked of the network
// providers; nullopt for a letter that is none.
std::optional<LetterState> NetworkState(const std::wstring& drive) {
  std::vector<wchar_t> remote(1024);
  DWORD size = static_cast<DWORD>(remote.size());
  DWORD rc = OS::late::WNetGetConnectionW(drive.c_str(), remote.data(), &size);
  if (rc == ERROR_MORE_DATA) {
    remote.resize(size + 1);
    size = static_cast<DWORD>(remote.size());
    rc = OS::late::WNetGetConnectionW(drive.c_str(), remote.data(), &size);
  }
  if (rc != NO_ERROR && rc != ERROR_CONNECTION_UNAVAIL) return std::nullopt;
  return LetterState{rc == NO_ERROR ? LetterUse::Network : LetterUse::Remembered, remote.data(), L""};
}

}  // namespace

LetterQuery QueryLetter(wchar_t letter) {
  const std::wstring drive = DriveName(letter);
  if (std::optional<LetterState> network = NetworkState(drive)) return {*network};
  std::vector<wchar_t> answer(4096);
  for (;;) {
    if (::QueryDosDeviceW(drive.c_str(), answer.data(), static_cast<DWORD>(answer.size())) != 0)
      return {LetterStateOfDevicePath(answer.data())};  // the first answer is the one in force
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {LetterState{}};
    if (error != ERROR_INSUFFICIENT_BUFFER || answer.size() >= 65536) return {LetterState{}, static_cast<long>(error)};
    answer.resize(answer.size() * 2);
  }
}

long DefineFolderMapping(wchar_t letter, const std::wstring& folder) {
  if (::DefineDosDeviceW(0, DriveName(letter).c_str(), folder.c_str())) return 0;
  return static_cast<long>(::GetLastError());
}

long RemoveMapping(wchar_t letter, const LetterState& state) {
  const std::wstring drive = DriveName(letter);
  if (state.use == LetterUse::Network) return static_cast<long>(OS::late::WNetCancelConnection2W(drive.c_str(), 0, FALSE));
  const DWORD flags = DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE | DDD_RAW_TARGET_PATH;
  if (::DefineDosDeviceW(flags, drive.c_str(), state.devicePath.c_str())) return 0;
  return static_cast<long>(::GetLastError());
}

std::optional<long> ConnectShare(wchar_t letter, const std::wstring& share, unsigned long timeoutMs) {
  return CallWithTimeLimit(
      [drive = DriveName(letter), share] {
        NETRESOURCEW resource{};
        resource.dwType = RESOURCETYPE_DISK;
        resource.lpLocalName = const_cast<wchar_t*>(drive.c_str());
        resource.lpRemoteName = const_cast<wchar_t*>(share.c_str());
        return static_cast<long>(OS::late::WNetAddConnection2W(&resource, nullptr, nullptr, 0));
      },
      timeoutMs);
}

std::optional<long> CallWithTimeLimit(std::function<long()> call, unsigned long timeoutMs) {
  auto result = std::make_shared<std::promise<long>>();
  std::future<long> answer = result->get_future();
  try {
    std::thread([result, call] { result->set_value(call()); }).detach();
  } catch (const std::system_error&) {
    return call();
  }
  if (answer.wait_for(std::chrono::milliseconds(timeoutMs)) != std::future_status::ready) return std::nullopt;
  return answer.get();
}

}  // namespace vorlan::steps
