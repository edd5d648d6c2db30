// Step "RegService" driven with a step context of the test's own: a
// stand-in service program created, started and found running through the
// prefix's service manager; an existing service updated, not duplicated.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "platform/win/scoped_resource.h"
#include "steps/registry/win/registry_steps.h"
#include "vtest/files.h"
#include "vtest/game_folder.h"
#include "vtest/recording_step_context.h"
#include "vtest/shell_stand_ins.h"
#include "vtest/test_paths.h"

using namespace vtest;
using vorlan::steps::RunRegService;

namespace {

struct Config {
  std::wstring path;
  DWORD start = 0;
  DWORD state = 0;
  std::wstring displayName;
};

std::optional<Config> ReadService(const std::wstring& name) {
  OS::ScopedServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  OS::ScopedServiceHandle service(::OpenServiceW(manager.Get(), name.c_str(), SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS));
  if (!service) return std::nullopt;
  DWORD needed = 0;
  ::QueryServiceConfigW(service.Get(), nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
  if (!::QueryServiceConfigW(service.Get(), config, needed, &needed)) return std::nullopt;
  SERVICE_STATUS status{};
  ::QueryServiceStatus(service.Get(), &status);
  return Config{config->lpBinaryPathName, config->dwStartType, status.dwCurrentState,
                config->lpDisplayName ? config->lpDisplayName : L""};
}

void StopAndDelete(const std::wstring& name) {
  OS::ScopedServiceHandle manager(::OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
  OS::ScopedServiceHandle service(::OpenServiceW(manager.Get(), name.c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
  if (!service) return;
  SERVICE_STATUS status{};
  ::ControlService(service.Get(), SERVICE_CONTROL_STOP, &status);
  for (int i = 0; i < 100 && ::QueryServiceStatus(service.Get(), &status) && status.dwCurrentState != SERVICE_STOPPED; ++i)
    ::Sleep(50);
  ::DeleteService(service.Get());
}

class RegServiceStep : public ::testing::Test {
 protected:
  void SetUp() override {
    game_.MakeDir(L"svc");
    ASSERT_TRUE(::CopyFileW(ServiceStandInExe().c_str(), game_.File(L"svc\\ac.exe").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(ServiceStandInExe().c_str(), game_.File(L"svc\\new.exe").c_str(), FALSE));
  }
  void TearDown() override {
    for (const std::wstring& name : names_) StopAndDelete(name);
  }
  std::wstring NewName() {
    names_.push_back(L"VorlanTest" + UniqueToken() + L"-" + std::to_wstring(names_.size()));
    return names_.back();
  }
  void WriteEntries(const std::vector<std::wstring>& entries) {
    std::wstring text = L"[RegService]\r\nNum=" + std::to_wstring(entries.size()) + L"\r\n";
    for (std::size_t i = 0; i < entries.size(); ++i)
      text += L"[RegService" + std::to_wstring(i) + L"]\r\n" + entries[i];
    game_.WriteOptionFile(text);
  }

  GameFolder game_;
  std::vector<std::wstring> names_;
};

TEST_F(RegServiceStep, AServiceIsCreatedStartedAndFoundRunning) {
  const std::wstring name = NewName();
  WriteEntries({L"Name=" + name + L"\r\nFile=svc\\ac.exe\r\nStart=auto\r\n"});
  RecordingStepContext context(game_);
  RunRegService(context);

  const std::wstring exe = game_.File(L"svc\\ac.exe");
  EXPECT_EQ(context.Printed(), std::vector<std::wstring>{L"Register Service " + name + L" (" + exe + L"), Success"});
  const auto config = ReadService(name);
  ASSERT_TRUE(config);
  EXPECT_EQ(config->path, L"\"" + exe + L"\"");
  EXPECT_EQ(config->start, static_cast<DWORD>(SERVICE_AUTO_START));
  EXPECT_EQ(config->state, static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_EQ(ReadBytes(exe + L".rec").substr(0, 8), "running ");
}

TEST_F(RegServiceStep, AnExistingServiceWithAnotherPathIsUpdatedNotDuplicated) {
  const std::wstring name = NewName();
  WriteEntries({L"Name=" + name + L"\r\nFile=svc\\ac.exe\r\nIsStart=0\r\n"});
  RecordingStepContext first(game_);
  RunRegService(first);
  ASSERT_TRUE(ReadService(name));
  EXPECT_EQ(ReadService(name)->state, static_cast<DWORD>(SERVICE_STOPPED));

  WriteEntries({L"Name=" + name + L"\r\nFile=svc\\new.exe\r\n"});
  RecordingStepContext second(game_);
  RunRegService(second);

  const std::wstring exe = game_.File(L"svc\\new.exe");
  EXPECT_EQ(second.Printed(), std::vector<std::wstring>{L"Register Service " + name + L" (" + exe + L"), Success"});
  const auto config = ReadService(name);
  ASSERT_TRUE(config);
  EXPECT_EQ(config->path, L"\"" + exe + L"\"");
  EXPECT_EQ(config->start, static_cast<DWORD>(SERVICE_DEMAND_START));
  EXPECT_EQ(config->state, static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_FALSE(FileExists(game_.File(L"svc\\ac.exe.rec")));
  EXPECT_TRUE(FileExists(exe + L".rec"));
}

TEST_F(RegServiceStep, AnExistingServiceWhoseDisplayNameAloneDiffersTakesTheNewName) {
  const std::wstring name = NewName();
  WriteEntries({L"Name=" + name + L"\r\nDisplayName=Old Guard\r\nFile=svc\\ac.exe\r\nIsStart=0\r\n"});
  RecordingStepContext first(game_);
  RunRegService(first);
  ASSERT_TRUE(ReadService(name));
  EXPECT_EQ(ReadService(name)->displayName, L"Old Guard");

  WriteEntries({L"Name=" + name + L"\r\nDisplayName=Game Guard\r\nFile=svc\\ac.exe\r\nIsStart=0\r\n"});
  RecordingStepContext second(game_);
  RunRegService(second);
  EXPECT_EQ(ReadService(name)->displayName, L"Game Guard");

  // Without "DisplayName" the name is shown.
  WriteEntries({L"Name=" + name + L"\r\nFile=svc\\ac.exe\r\nIsStart=0\r\n"});
  RecordingStepContext third(game_);
  RunRegService(third);
  EXPECT_EQ(ReadService(name)->displayName, name);
  EXPECT_EQ(third.Printed(),
            std::vector<std::wstring>{L"Register Service " + name + L" (" + game_.File(L"svc\\ac.exe") + L"), Success"});
}

TEST_F(RegServiceStep, BadEntriesFailWithTheirReasonAndTheNextGoesOn) {
  const std::wstring missing = NewName(), failing = NewName(), good = NewName();
  ASSERT_TRUE(WriteBytes(game_.File(L"svc\\new.exe.fail"), ""));
  WriteEntries({L"Name=" + missing + L"\r\nFile=svc\\missing.exe\r\n", L"Name=a\\b\r\nFile=svc\\ac.exe\r\n",
                L"Name=" + good + L"\r\n", L"Name=" + failing + L"\r\nFile=svc\\new.exe\r\nWaitTime=5\r\n",
                L"Name=" + good + L"\r\nFile=svc\\ac.exe\r\n"});
  RecordingStepContext context(game_);
  RunRegService(context);

  const auto printed = context.Printed();
  ASSERT_EQ(printed.size(), 5u);
  EXPECT_EQ(printed[0], L"Register Service " + missing + L" (" + game_.File(L"svc\\missing.exe") +
                            L"), Failed: the file does not exist");
  EXPECT_EQ(printed[1], L"Register Service a\\b (" + game_.File(L"svc\\ac.exe") + L"), Failed: bad service name");
  EXPECT_EQ(printed[2], L"Register Service " + good + L" (), Failed: [RegService2] has no File");
  // A service that stops at once: Windows lets it start and reports it
  // stopped; Wine's StartService already fails.
  const std::wstring stopped = L"Register Service " + failing + L" (" + game_.File(L"svc\\new.exe") + L"), Failed: ";
  EXPECT_TRUE(printed[3] == stopped + L"the service stopped" || printed[3] == stopped + L"cannot start the service")
      << printed[3];
  EXPECT_EQ(printed[4], L"Register Service " + good + L" (" + game_.File(L"svc\\ac.exe") + L"), Success");
  ASSERT_TRUE(ReadService(failing));
  EXPECT_NE(ReadService(failing)->state, static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_FALSE(ReadService(missing));
  EXPECT_EQ(ReadService(good)->state, static_cast<DWORD>(SERVICE_RUNNING));
}

}  // namespace
