#pragma once
// The connection to the café's local client service, one per process.
//
// Created on first use: the COM object (see client_service_connection.h) and
// GetPkgFullPath of "BarClientDll.dll". Both may be missing; every operation
// then does what it can without them. After creation the object is read-only
// and may be used from any thread of the multithreaded apartment. It is never
// destroyed: the interface is never released, the library never freed.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "assoc/core/package_info.h"
#include "assoc/core/packet_head.h"
#include "assoc/win/bar_client_library.h"
#include "assoc/win/client_service_contract.h"
#include "platform/core/worker_start.h"

class CClientService {
 public:
  static CClientService& GetInstance();

  // Connects to the service on a thread of its own while the caller goes on;
  // the instance, made on first use, takes that connection. It waits for it
  // at most kRequestTimeoutMs and then goes on without the service. The
  // thread joins the process's multithreaded apartment and stays in it, so
  // the apartment, and the connection made in it, outlive the thread.
  // Without a thread, the first use connects itself, as always.
  static void ConnectAhead(vorlan::WorkerStarter& workers);

  // Asks for the client software's version ("ProductVersion", ANSI text;
  // empty when there is no answer). True when it is newer than 8.0.
  bool QueryClientVersion(std::string& version);

  // Appends one record per package the service knows of, in ascending id
  // order, each Path cut back to the folder that holds the package. When
  // `out` is still empty afterwards, asks GetPkgFullPath for each id in turn.
  void QueryPackageInfo(const std::vector<std::uint32_t>& ids, std::vector<PackageInfo>& out);

  // Asks the service to connect the virtual disks A: to Y:.
  void ConnectVirtualDisks();

  // Whether the service could be reached when the instance was created.
  bool HasService() const { return service_ != nullptr; }

  // How long one request may take. A service that does not answer in time is
  // not asked again in this process: every operation then goes on as if
  // there were no service.
  static constexpr unsigned long kRequestTimeoutMs = 5000;

  CClientService(const CClientService&) = delete;
  CClientService& operator=(const CClientService&) = delete;

 private:
  CClientService();
  ~CClientService() = delete;

  // Sends one request and returns the reply packet, or null: no service, a
  // failing status, a reply that does not convert to text or is no packet.
  std::unique_ptr<Json::CJsonPacketHead> Exchange(const Json::CJsonPacketHead& request) noexcept;

  // The service, unless it could not be reached or stopped answering.
  IClientService* Service() const { return unanswered_.load() ? nullptr : service_; }

  IClientService* service_ = nullptr;
  std::atomic<bool> unanswered_{false};
  GetPkgFullPathFn getPkgFullPath_ = nullptr;
};
