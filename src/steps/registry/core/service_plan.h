#pragma once
// Step "RegService": what an entry asks of the service manager, and what is
// to be done about a service of that name that already exists.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorlan {

// As CreateService takes them.
inline constexpr std::uint32_t kServiceKernelDriver = 0x1;
inline constexpr std::uint32_t kServiceOwnProcess = 0x10;
inline constexpr std::uint32_t kServiceAutoStart = 2;
inline constexpr std::uint32_t kServiceDemandStart = 3;
inline constexpr std::uint32_t kServiceSystemStart = 1;

struct ServicePlan {
  std::optional<std::string> refusal;  // set: nothing is done, for this reason
  std::wstring_view refusedKey;        // and the key of the entry it concerns
  std::uint32_t serviceType = kServiceOwnProcess;
  std::uint32_t startType = kServiceDemandStart;
  std::wstring binaryPath;   // as the service manager stores it
  std::wstring displayName;  // the name shown in the services list
};

// `type`: "driver" (a kernel driver), "service" (a program of its own), or
// empty: a driver when the file ends in ".sys" (any case). `start`: "demand"
// (or empty), "auto", "system" (drivers only). A program's path is quoted;
// a driver's is not. Refused: an empty name, a name of more than 256
// characters or with '/' or '\', an unknown type or start. An empty
// `displayName` is the name.
ServicePlan PlanService(std::wstring_view name, std::wstring_view file, std::wstring_view type, std::wstring_view start,
                        std::wstring_view displayName = {});

enum class ServiceChange { Create, Update, Keep };

// What the service manager holds of an existing service.
struct StoredService {
  std::wstring_view path;
  std::uint32_t start = 0;
  std::uint32_t type = 0;
  std::wstring_view displayName;
};

// Compares the stored configuration with the plan: the paths without quotes
// and a "\??\" prefix, ignoring ASCII case; start and type; the display
// name exactly as written. No stored service: Create.
ServiceChange DecideServiceChange(const StoredService* stored, const ServicePlan& plan);

}  // namespace vorlan
