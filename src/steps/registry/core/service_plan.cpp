#include "steps/registry/core/service_plan.h"

namespace vorlan {
namespace {

wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameNoCase(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool EndsWithNoCase(std::wstring_view text, std::wstring_view tail) {
  return text.size() >= tail.size() && SameNoCase(text.substr(text.size() - tail.size()), tail);
}

std::wstring_view BarePath(std::wstring_view path) {
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
  if (path.starts_with(L"\\??\\")) path.remove_prefix(4);
  return path;
}

}  // namespace

ServicePlan PlanService(std::wstring_view name, std::wstring_view file, std::wstring_view type, std::wstring_view start,
                        std::wstring_view displayName) {
  ServicePlan plan;
  plan.displayName = displayName.empty() ? name : displayName;
  if (name.empty() || name.size() > 256 || name.find_first_of(L"/\\") != std::wstring_view::npos) {
    plan.refusal = "bad service name";
    plan.refusedKey = L"Name";
    return plan;
  }
  bool driver = false;
  if (type.empty())
    driver = EndsWithNoCase(file, L".sys");
  else if (SameNoCase(type, L"driver"))
    driver = true;
  else if (!SameNoCase(type, L"service")) {
    plan.refusal = "unknown type";
    plan.refusedKey = L"Type";
    return plan;
  }
  plan.serviceType = driver ? kServiceKernelDriver : kServiceOwnProcess;
  if (start.empty() || SameNoCase(start, L"demand"))
    plan.startType = kServiceDemandStart;
  else if (SameNoCase(start, L"auto"))
    plan.startType = kServiceAutoStart;
  else if (SameNoCase(start, L"system") && driver)
    plan.startType = kServiceSystemStart;
  else {
    plan.refusal = "unknown start";
    plan.refusedKey = L"Start";
    return plan;
  }
  plan.binaryPath = driver ? std::wstring(file) : L"\"" + std::wstring(file) + L"\"";
  return plan;
}

ServiceChange DecideServiceChange(const StoredService* stored, const ServicePlan& plan) {
  if (!stored) return ServiceChange::Create;
  const bool same = SameNoCase(BarePath(stored->path), BarePath(plan.binaryPath)) && stored->start == plan.startType &&
                    (stored->type & 0xFF & ~0x100u) == plan.serviceType && stored->displayName == plan.displayName;
  return same ? ServiceChange::Keep : ServiceChange::Update;
}

}  // namespace vorlan
