#include "assoc/win/client_service.h"

#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <cstring>
#include <exception>
#include <mutex>

#include "assoc/core/client_info_packets.h"
#include "assoc/core/client_version.h"
#include "assoc/core/package_list_packets.h"
#include "assoc/core/packet_text.h"
#include "assoc/core/sample_packet.h"
#include "assoc/core/virtual_disk_packets.h"
#include "assoc/win/client_service_connection.h"
#include "platform/core/log_mgr.h"
#include "platform/win/code_page.h"
#include "platform/win/com_init.h"
#include "platform/win/scoped_resource.h"
#include "platform/win/system_functions.h"

namespace {

std::atomic<CClientService*> g_instance{nullptr};
std::mutex g_creation;

// The connection made ahead, shared by the connecting thread and the
// instance; the thread keeps its share, so an instance that gave up waiting
// leaves it nothing to write into that is gone.
struct AheadConnection {
  OS::ScopedHandle done{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  IClientService* service = nullptr;
};
std::shared_ptr<AheadConnection> g_ahead;  // set before the instance is made, read by it

// Size of the buffer handed to GetPkgFullPath, in bytes.
constexpr std::uint32_t kPathBufferBytes = 260;

// A VARIANT that is cleared when it goes out of scope.
class ScopedVariant {
 public:
  ScopedVariant() { v_.vt = VT_EMPTY; }
  ~ScopedVariant() { OS::late::VariantClear(&v_); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
  VARIANT* Get() { return &v_; }

 private:
  VARIANT v_;
};

}  // namespace

CClientService& CClientService::GetInstance() {
  CClientService* instance = g_instance.load(std::memory_order_acquire);
  if (instance != nullptr) return *instance;
  std::lock_guard<std::mutex> lock(g_creation);
  instance = g_instance.load(std::memory_order_relaxed);
  if (instance == nullptr) {
    instance = new CClientService();
    g_instance.store(instance, std::memory_order_release);
  }
  return *instance;
}

void CClientService::ConnectAhead(vorlan::WorkerStarter& workers) {
  auto ahead = std::make_shared<AheadConnection>();
  if (!ahead->done) return;
  const bool started = workers.Start([ahead] {
    // Never uninitialised: the last thread to leave the apartment would end
    // it, and with it the connection.
    ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    ahead->service = ConnectClientService();
    ::SetEvent(ahead->done.Get());
  });
  if (!started) return;
  std::lock_guard<std::mutex> lock(g_creation);
  g_ahead = std::move(ahead);
}

namespace {
IClientService* TakeConnection(const std::shared_ptr<AheadConnection>& ahead) {
  if (!ahead) return ConnectClientService();
  if (::WaitForSingleObject(ahead->done.Get(), CClientService::kRequestTimeoutMs) == WAIT_OBJECT_0) return ahead->service;
  CLogMgr::GetInstance().Log(32, L"CClientService::CClientService. The client service did not answer within %u ms; it is not asked again",
                             CClientService::kRequestTimeoutMs);
  return nullptr;
}
}  // namespace

// Made under g_creation, so g_ahead is read safely here.
CClientService::CClientService()
    : service_(TakeConnection(g_ahead)), getPkgFullPath_(LoadGetPkgFullPath()) {}

namespace {

// One request in flight on a thread of its own. The thread and the caller
// share it, so that a call the caller gave up on can still end safely.
struct PendingRequest {
  IClientService* service = nullptr;
  ScopedVariant in;
  ScopedVariant out;
  HRESULT status = E_PENDING;
};

DWORD WINAPI SendRequest(LPVOID raw) {
  const std::unique_ptr<std::shared_ptr<PendingRequest>> request(static_cast<std::shared_ptr<PendingRequest>*>(raw));
  const OS::ScopedComInit com(COINIT_MULTITHREADED);
  PendingRequest& r = **request;
  r.status = r.service->HandleRequest(*r.in.Get(), r.out.Get());
  return 0;
}

}  // namespace

std::unique_ptr<Json::CJsonPacketHead> CClientService::Exchange(const Json::CJsonPacketHead& request) noexcept {
  IClientService* service = Service();
  if (service == nullptr) return nullptr;
  try {
    std::wstring text = OS::FromSystemAnsi(Json::PacketText(request));
    auto pending = std::make_shared<PendingRequest>();
    pending->service = service;
    pending->in.Get()->vt = VT_BSTR;
    pending->in.Get()->bstrVal = OS::late::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (pending->in.Get()->bstrVal == nullptr) return nullptr;

    // The service answers on a thread of its own, so that one that hangs
    // inside the call cannot hold the preparation for ever.
    auto handOver = std::make_unique<std::shared_ptr<PendingRequest>>(pending);
    OS::ScopedHandle thread(::CreateThread(nullptr, 0, &SendRequest, handOver.get(), 0, nullptr));
    if (thread) {
      handOver.release();  // the thread owns its share from now on
      if (::WaitForSingleObject(thread.Get(), kRequestTimeoutMs) != WAIT_OBJECT_0) {
        unanswered_ = true;
        CLogMgr::GetInstance().Log(32, L"CClientService::Exchange. The client service did not answer within %u ms; it is not asked again",
                                   kRequestTimeoutMs);
        return nullptr;
      }
    } else {
      pending->status = service->HandleRequest(*pending->in.Get(), pending->out.Get());
    }

    // A failing status counts as no reply: the service stays usable and the
    // caller goes on as if nothing had come back.
    if (FAILED(pending->status)) return nullptr;
    VARIANT* out = pending->out.Get();
    if (FAILED(OS::late::VariantChangeType(out, out, 0, VT_BSTR))) return nullptr;
    BSTR reply = out->bstrVal;
    std::wstring wide(reply == nullptr ? L"" : reply, reply == nullptr ? 0 : OS::late::SysStringLen(reply));
    return Json::CreatePacket(OS::ToThreadAnsi(wide));
  } catch (const std::exception&) {
    return nullptr;
  }
}

bool CClientService::QueryClientVersion(std::string& version) {
  version.clear();
  if (Service() != nullptr) {
    Json::CJsonSamplePkt<Json::kPktQueryBcInfo> request;
    std::unique_ptr<Json::CJsonPacketHead> reply = Exchange(request);
    if (reply && reply->type == Json::kPktQueryBcInfoAck) {
      if (auto* info = dynamic_cast<Json::CJsonQuerayBcInfoAck*>(reply.get())) version = info->productVersion;
    }
  }
  return vorlan::assoc::IsClientNewerThan8(version);
}

void CClientService::QueryPackageInfo(const std::vector<std::uint32_t>& ids, std::vector<PackageInfo>& out) {
  if (Service() != nullptr) {
    Json::CJsonQuerayPkgListInfo request;
    request.pkgIds = ids;
    std::unique_ptr<Json::CJsonPacketHead> reply = Exchange(request);
    if (reply && reply->type == Json::kPktQueryPkgListInfoAck) {
      if (auto* list = dynamic_cast<Json::CJsonQuerayPkgListInfoAck*>(reply.get())) {
        vorlan::assoc::AppendServiceRecords(
            *list, [](std::string_view text) { return OS::FromThreadAnsi(text); }, out);
      }
    }
  }

  if (!out.empty() || getPkgFullPath_ == nullptr) return;
  for (std::uint32_t id : ids) {
    char buffer[kPathBufferBytes] = {};
    if (getPkgFullPath_(id, buffer, kPathBufferBytes) == 0) continue;
    std::string_view path(buffer, ::strnlen(buffer, kPathBufferBytes));
    out.push_back(PackageInfo{id, vorlan::assoc::CutPackagePath(OS::FromThreadAnsi(path)), false, false});
  }
}

void CClientService::ConnectVirtualDisks() {
  if (Service() == nullptr) return;
  Json::CJsonConnectVDisk request;
  request.diskLetters = vorlan::assoc::VirtualDiskLetters();
  Exchange(request);  // the reply, if any, tells nothing we use
}
