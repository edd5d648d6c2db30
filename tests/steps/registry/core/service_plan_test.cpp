#include "steps/registry/core/service_plan.h"

#include <gtest/gtest.h>

using namespace vorlan;

TEST(PlanService, TypeStartAndPath) {
  const struct {
    const wchar_t *name, *file, *type, *start;
    const char* refusal;
    std::uint32_t serviceType, startType;
    const wchar_t* path;
  } cases[] = {
      {L"AntiCheat", L"C:\\g\\ac.exe", L"", L"", nullptr, kServiceOwnProcess, kServiceDemandStart, L"\"C:\\g\\ac.exe\""},
      {L"AcDrv", L"C:\\g\\ac.SYS", L"", L"auto", nullptr, kServiceKernelDriver, kServiceAutoStart, L"C:\\g\\ac.SYS"},
      {L"AcDrv", L"C:\\g\\ac.bin", L"Driver", L"system", nullptr, kServiceKernelDriver, kServiceSystemStart, L"C:\\g\\ac.bin"},
      {L"Svc", L"C:\\g\\x.sys", L"service", L"DEMAND", nullptr, kServiceOwnProcess, kServiceDemandStart, L"\"C:\\g\\x.sys\""},
      {L"Svc", L"C:\\g\\x.exe", L"service", L"system", "unknown start", 0, 0, L""},
      {L"Svc", L"C:\\g\\x.exe", L"process", L"", "unknown type", 0, 0, L""},
      {L"Svc", L"C:\\g\\x.exe", L"", L"boot", "unknown start", 0, 0, L""},
      {L"", L"C:\\g\\x.exe", L"", L"", "bad service name", 0, 0, L""},
      {L"a\\b", L"C:\\g\\x.exe", L"", L"", "bad service name", 0, 0, L""},
      {L"a/b", L"C:\\g\\x.exe", L"", L"", "bad service name", 0, 0, L""},
  };
  for (const auto& c : cases) {
    const ServicePlan plan = PlanService(c.name, c.file, c.type, c.start);
    if (c.refusal) {
      ASSERT_TRUE(plan.refusal) << c.name;
      EXPECT_EQ(*plan.refusal, c.refusal);
      continue;
    }
    ASSERT_FALSE(plan.refusal) << *plan.refusal;
    EXPECT_EQ(plan.serviceType, c.serviceType);
    EXPECT_EQ(plan.startType, c.startType);
    EXPECT_EQ(plan.binaryPath, c.path);
  }
  EXPECT_TRUE(PlanService(std::wstring(257, L's'), L"C:\\x.exe", L"", L"").refusal);
  EXPECT_FALSE(PlanService(std::wstring(256, L's'), L"C:\\x.exe", L"", L"").refusal);
}

TEST(DecideServiceChange, AnExistingServiceIsUpdatedOnlyWhenItDiffers) {
  const ServicePlan program = PlanService(L"S", L"C:\\G\\ac.exe", L"", L"auto", L"Anti Cheat");
  const ServicePlan driver = PlanService(L"D", L"C:\\G\\ac.sys", L"", L"");
  const struct {
    const char* name;
    bool exists;
    const wchar_t* path;
    std::uint32_t start, type;
    const wchar_t* displayName;
    const ServicePlan& plan;
    ServiceChange change;
  } cases[] = {
      {"missing", false, L"", 0, 0, L"", program, ServiceChange::Create},
      {"same, quoted", true, L"\"C:\\G\\ac.exe\"", kServiceAutoStart, kServiceOwnProcess, L"Anti Cheat", program, ServiceChange::Keep},
      {"same, other case, unquoted", true, L"c:\\g\\AC.exe", kServiceAutoStart, kServiceOwnProcess, L"Anti Cheat", program, ServiceChange::Keep},
      {"interactive flag", true, L"C:\\G\\ac.exe", kServiceAutoStart, kServiceOwnProcess | 0x100, L"Anti Cheat", program, ServiceChange::Keep},
      {"other path", true, L"\"D:\\old\\ac.exe\"", kServiceAutoStart, kServiceOwnProcess, L"Anti Cheat", program, ServiceChange::Update},
      {"other start", true, L"\"C:\\G\\ac.exe\"", kServiceDemandStart, kServiceOwnProcess, L"Anti Cheat", program, ServiceChange::Update},
      {"other type", true, L"C:\\G\\ac.exe", kServiceAutoStart, kServiceKernelDriver, L"Anti Cheat", program, ServiceChange::Update},
      {"other display name alone", true, L"\"C:\\G\\ac.exe\"", kServiceAutoStart, kServiceOwnProcess, L"Old Name", program, ServiceChange::Update},
      {"display name in another case", true, L"\"C:\\G\\ac.exe\"", kServiceAutoStart, kServiceOwnProcess, L"anti cheat", program, ServiceChange::Update},
      {"driver with \\??\\, display name the name", true, L"\\??\\C:\\G\\ac.sys", kServiceDemandStart, kServiceKernelDriver, L"D", driver, ServiceChange::Keep},
      {"driver moved", true, L"\\??\\E:\\G\\ac.sys", kServiceDemandStart, kServiceKernelDriver, L"D", driver, ServiceChange::Update},
  };
  for (const auto& c : cases) {
    const StoredService stored{c.path, c.start, c.type, c.displayName};
    EXPECT_EQ(DecideServiceChange(c.exists ? &stored : nullptr, c.plan), c.change) << c.name;
  }
}

TEST(PlanService, AnEmptyDisplayNameIsTheServiceName) {
  EXPECT_EQ(PlanService(L"GameGuard", L"C:\\g.sys", L"", L"").displayName, L"GameGuard");
  EXPECT_EQ(PlanService(L"GameGuard", L"C:\\g.sys", L"", L"", L"Game Guard").displayName, L"Game Guard");
}
