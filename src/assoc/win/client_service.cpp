#include "assoc/win/client_service.h"

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
#include "platform/win/code_page.h"

namespace {

std::atomic<CClientService*> g_instance{nullptr};
std::mutex g_creation;

// Size of the buffer handed to GetPkgFullPath, in bytes.
constexpr std::uint32_t kPathBufferBytes = 260;

// A VARIANT that is cleared when it goes out of scope.
class ScopedVariant {
 public:
  ScopedVariant() { ::VariantInit(&v_); }
  ~ScopedVariant() { ::VariantClear(&v_); }
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

CClientService::CClientService()
    : service_(ConnectClientService()), getPkgFullPath_(LoadGetPkgFullPath()) {}

std::unique_ptr<Json::CJsonPacketHead> CClientService::Exchange(const Json::CJsonPacketHead& request) noexcept {
  if (service_ == nullptr) return nullptr;
  try {
    std::wstring text = OS::FromSystemAnsi(Json::PacketText(request));
    ScopedVariant in;
    in.Get()->vt = VT_BSTR;
    in.Get()->bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (in.Get()->bstrVal == nullptr) return nullptr;

    ScopedVariant out;
    // A failing status counts as no reply: the service stays usable and the
    // caller goes on as if nothing had come back.
    if (FAILED(service_->HandleRequest(*in.Get(), out.Get()))) return nullptr;
    if (FAILED(::VariantChangeType(out.Get(), out.Get(), 0, VT_BSTR))) return nullptr;
    BSTR reply = out.Get()->bstrVal;
    std::wstring wide(reply == nullptr ? L"" : reply, reply == nullptr ? 0 : ::SysStringLen(reply));
    return Json::CreatePacket(OS::ToThreadAnsi(wide));
  } catch (const std::exception&) {
    return nullptr;
  }
}

bool CClientService::QueryClientVersion(std::string& version) {
  version.clear();
  if (service_ != nullptr) {
    Json::CJsonSamplePkt<Json::kPktQueryBcInfo> request;
    std::unique_ptr<Json::CJsonPacketHead> reply = Exchange(request);
    if (reply && reply->type == Json::kPktQueryBcInfoAck) {
      if (auto* info = dynamic_cast<Json::CJsonQuerayBcInfoAck*>(reply.get())) version = info->productVersion;
    }
  }
  return vorlan::assoc::IsClientNewerThan8(version);
}

void CClientService::QueryPackageInfo(const std::vector<std::uint32_t>& ids, std::vector<PackageInfo>& out) {
  if (service_ != nullptr) {
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
  if (service_ == nullptr) return;
  Json::CJsonConnectVDisk request;
  request.diskLetters = vorlan::assoc::VirtualDiskLetters();
  Exchange(request);  // the reply, if any, tells nothing we use
}
