// The connection to the café's client service, under Wine, against the
// stand-ins of tests/assoc/win/tools: an in-process COM server registered in
// the prefix under the service's class id, and "BarClientDll.dll".
//
// The connection is made once per process, so every case needs a process of
// its own (CTest runs each case alone; running this program whole fails from
// the second case on).

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <json/reader.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "assoc/win/client_service.h"
#include "assoc/win/client_service_menu.h"
#include "cafe_paths.h"
#include "platform/win/thread.h"
#include "vtest/files.h"
#include "vtest/registry.h"
#include "vtest/test_paths.h"

using namespace vtest;
using ::testing::ElementsAre;

void PrintTo(const PackageInfo& p, std::ostream* os) {
  *os << "{" << p.PkgId << ", \"" << ToUtf8(p.Path) << "\", " << p.IsInVirtualDisk << ", " << p.IsReady << "}";
}

namespace {

const std::wstring kClassKey = L"CLSID\\{DBCB78F8-B3EA-4C44-B2E9-6AD202ACBB35}";

const char kVersionRequest[] = "{\n   \"JSON_RESULT\" : 0,\n   \"JSON_TYPE\" : 1\n}\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t eol = text.find('\n', at);
    lines.push_back(text.substr(at, eol == std::string::npos ? std::string::npos : eol - at));
    if (eol == std::string::npos) break;
    at = eol + 1;
  }
  return lines;
}

class ClientService : public ::testing::Test {
 protected:
  void SetUp() override {
    static int casesInThisProcess = 0;
    ASSERT_EQ(++casesInThisProcess, 1) << "each case needs a process of its own: run the cases through CTest";
    RemoveTree(dir_);
    ASSERT_TRUE(MakeDirectories(dir_));
    ASSERT_TRUE(::SetEnvironmentVariableW(L"VORLAN_FAKE_CAFE_CLIENT_DIR", dir_.c_str()));
    // The launcher joins the multithreaded apartment at start-up.
    ASSERT_EQ(::CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    DeleteTree(HKEY_CLASSES_ROOT, kClassKey, RegView::Native);
  }

  void TearDown() override { DeleteTree(HKEY_CLASSES_ROOT, kClassKey, RegView::Native); }

  // The stand-in service, registered as an in-process server in the registry
  // view of this process, the client.
  void RegisterService() {
    const std::wstring server = kClassKey + L"\\InprocServer32";
    ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, server, L"", UnixToWine(CAFE_FAKE_SERVICE_DLL), RegView::Native));
    ASSERT_TRUE(WriteString(HKEY_CLASSES_ROOT, server, L"ThreadingModel", L"Both", RegView::Native));
  }

  // "BarClientDll.dll" where a bare-name load finds it.
  void PlaceLibrary(const std::wstring& source = UnixToWine(CAFE_FAKE_BAR_CLIENT_DLL)) {
    ASSERT_TRUE(::CopyFileW(source.c_str(), (dir_ + L"\\BarClientDll.dll").c_str(), FALSE));
    ASSERT_TRUE(::SetDllDirectoryW(dir_.c_str()));
  }

  void Script(const std::wstring& name, const std::string& utf8) { ASSERT_TRUE(WriteBytes(dir_ + L"\\" + name, utf8)); }
  void Reply(int n, const std::string& directive) { Script(L"reply-" + std::to_wstring(n) + L".txt", directive); }
  void ReplyJson(int n, const std::string& json) { Reply(n, "bstr\n" + json); }

  // What the service was given with the n-th request: "vt=<type>" and the text.
  std::optional<std::string> Request(int n) const {
    std::wstring file = dir_ + L"\\request-" + std::to_wstring(n) + L".txt";
    if (!FileExists(file)) return std::nullopt;
    return ReadBytes(file);
  }
  Json::Value RequestJson(int n) const {
    std::optional<std::string> record = Request(n);
    Json::Value root;
    EXPECT_TRUE(record.has_value()) << "request " << n;
    if (!record) return root;
    EXPECT_EQ(record->rfind("vt=8\n", 0), 0u) << *record;
    EXPECT_TRUE(Json::Reader().parse(record->substr(5), root)) << *record;
    return root;
  }
  std::vector<std::string> Events() const { return Lines(ReadBytes(dir_ + L"\\events.txt")); }
  std::vector<std::string> LibraryCalls() const { return Lines(ReadBytes(dir_ + L"\\GetPkgFullPath.txt")); }

  std::wstring dir_ = TestFolderFor();
};

std::string VersionReply(const std::string& version) {
  return R"({"JSON_TYPE": 2147483649, "JSON_RESULT": 0, "ProductVersion": ")" + version +
         R"(", "BcPath": "C:\\Bar\\"})";
}

}  // namespace

TEST_F(ClientService, WithoutServiceOrLibraryEveryOperationComesBackEmpty) {
  CClientService& service = CClientService::GetInstance();
  EXPECT_FALSE(service.HasService());

  std::string version = "stale";
  EXPECT_FALSE(service.QueryClientVersion(version));
  EXPECT_EQ(version, "");

  std::vector<PackageInfo> out;
  service.QueryPackageInfo({1, 2}, out);
  EXPECT_TRUE(out.empty());
  service.ConnectVirtualDisks();

  std::wstring error = L"stale";
  EXPECT_FALSE(AskClientServiceForMenu(error));
  EXPECT_EQ(error, L"client service unavailable");
  EXPECT_FALSE(Request(1));
  EXPECT_TRUE(Events().empty());
}

TEST_F(ClientService, WithoutServiceTheLibraryGivesThePaths) {
  PlaceLibrary();
  Script(L"paths.txt", "5=D:\\Games\\Pkg\\Five\\\n9=D:\\游戏\\剑侠情缘\\\n11=FILL\n");
  CClientService& service = CClientService::GetInstance();
  EXPECT_FALSE(service.HasService());

  // No ids: nothing to ask.
  std::vector<PackageInfo> out;
  service.QueryPackageInfo({}, out);
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(LibraryCalls().empty());

  service.QueryPackageInfo({5, 6, 9, 11, 5}, out);
  EXPECT_THAT(LibraryCalls(), ElementsAre("5 260 1", "6 260 1", "9 260 1", "11 260 1", "5 260 1"));
  EXPECT_THAT(out, ElementsAre(PackageInfo{5, L"D:\\Games\\Pkg", false, false},
                               PackageInfo{9, L"D:\\游戏", false, false},
                               // 260 bytes without a terminator: read no further than the buffer.
                               PackageInfo{11, L"C:", false, false},
                               PackageInfo{5, L"D:\\Games\\Pkg", false, false}));
  EXPECT_FALSE(Request(1));
}

TEST_F(ClientService, ALibraryWithoutTheExportIsNoFallback) {
  PlaceLibrary(NoExportDll());
  std::vector<PackageInfo> out;
  CClientService::GetInstance().QueryPackageInfo({5}, out);
  EXPECT_TRUE(out.empty());
}

TEST_F(ClientService, TheMenuQuestionIsTheClientVersion) {
  RegisterService();
  ReplyJson(1, VersionReply("8.1.0"));
  ReplyJson(2, VersionReply("8.0.5"));
  ReplyJson(3, R"({"JSON_TYPE": 2147483649, "ProductVersion": ""})");

  // The preparation thread is the first to ask, on a thread of its own.
  bool linked = false;
  std::wstring error = L"stale";
  std::thread([&] { linked = AskClientServiceForMenu(error); }).join();
  EXPECT_TRUE(linked);
  EXPECT_EQ(error, L"");
  EXPECT_EQ(Request(1), std::string("vt=8\n") + kVersionRequest);
  EXPECT_THAT(Events(), ElementsAre("created", "service-interface"));

  EXPECT_FALSE(AskClientServiceForMenu(error));
  EXPECT_EQ(error, L"client service version 8.0.5 is not newer than 8.0");
  EXPECT_FALSE(AskClientServiceForMenu(error));
  EXPECT_EQ(error, L"client service gave no version");
  EXPECT_EQ(Request(3), std::string("vt=8\n") + kVersionRequest);
}

TEST_F(ClientService, AServiceThatDoesNotAnswerIsGivenUpAndNotAskedAgain) {
  RegisterService();
  PlaceLibrary();
  Script(L"paths.txt", "4=E:\\Pkg\\Four\n");
  Reply(1, "hang 120000\n" + VersionReply("9.0.0"));
  std::string version = "stale";
  const DWORD start = ::GetTickCount();
  EXPECT_FALSE(CClientService::GetInstance().QueryClientVersion(version));
  EXPECT_LT(::GetTickCount() - start, 60000u) << "waited for the hanging call";
  EXPECT_EQ(version, "");
  // From now on as if there were no service: the library answers, the
  // service is not asked again.
  std::vector<PackageInfo> out;
  CClientService::GetInstance().QueryPackageInfo({4}, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].Path, L"E:\\Pkg");
  CClientService::GetInstance().ConnectVirtualDisks();
  EXPECT_FALSE(Request(2));
}

TEST_F(ClientService, RepliesThatAreNoAnswerCountAsNoReply) {
  RegisterService();
  PlaceLibrary();
  Script(L"paths.txt", "4=E:\\Pkg\\Four\n");
  // A failing status counts, whatever came with it.
  Reply(1, "status 80004005\n" + VersionReply("9.0.0"));
  ReplyJson(2, "{ not json");
  ReplyJson(3, R"({"JSON_TYPE": 2147483650, "PKGINFO_LIST": []})");        // another kind of reply
  ReplyJson(4, R"({"JSON_TYPE": 2147483649, "ProductVersion": 9})");       // a number for text
  ReplyJson(5, R"({"JSON_TYPE": -2147483647, "ProductVersion": "9.0.0"})");  // negative type
  Reply(6, "i4 42\n");
  Reply(7, "unknown\n");
  // 8: no reply at all
  ReplyJson(9, VersionReply("9.0.0"));
  Reply(10, "status 8000FFFF\n" + std::string(R"({"JSON_TYPE": 2147483650, "PKGINFO_LIST": [{"PKGINFO_PKGID": 4}]})"));
  Reply(11, "status 80070005\n");

  CClientService& service = CClientService::GetInstance();
  ASSERT_TRUE(service.HasService());
  for (int n = 1; n <= 8; ++n) {
    std::string version = "stale";
    EXPECT_FALSE(service.QueryClientVersion(version)) << "reply " << n;
    EXPECT_EQ(version, "") << "reply " << n;
  }
  // The service stays usable after all of them.
  std::string version;
  EXPECT_TRUE(service.QueryClientVersion(version));
  EXPECT_EQ(version, "9.0.0");

  // A failing status on the package question: the library is asked instead.
  std::vector<PackageInfo> out;
  service.QueryPackageInfo({4}, out);
  EXPECT_THAT(out, ElementsAre(PackageInfo{4, L"E:\\Pkg", false, false}));
  EXPECT_THAT(LibraryCalls(), ElementsAre("4 260 1"));
  service.ConnectVirtualDisks();
  EXPECT_TRUE(Request(11));
}

TEST_F(ClientService, PackagesComeFromTheServiceInIdOrderWithCutPaths) {
  RegisterService();
  PlaceLibrary();
  Script(L"paths.txt", "7=X:\\never\\used\n");
  ReplyJson(1, R"({"JSON_TYPE": 2147483650, "JSON_RESULT": 0, "PKGINFO_LIST": [
      {"PKGINFO_PKGID": 7, "PKGINFO_PKGPATH": "D:\\old\\Seven\\", "PKGINFO_BVDISK": false, "PKGINFO_BALREADY": false},
      {"PKGINFO_PKGID": 12, "PKGINFO_PKGPATH": "C:\\Pkg", "PKGINFO_BVDISK": true, "PKGINFO_BALREADY": false},
      {"PKGINFO_PKGID": 0, "PKGINFO_PKGPATH": "D:\\zero\\Pkg"},
      {"PKGINFO_PKGID": 3, "PKGINFO_PKGPATH": "F:\\网游\\魔兽世界\\", "PKGINFO_BVDISK": 1, "PKGINFO_BALREADY": "yes"},
      {"PKGINFO_PKGID": 7, "PKGINFO_PKGPATH": "D:\\Games\\Pkg\\Seven\\", "PKGINFO_BVDISK": true, "PKGINFO_BALREADY": true},
      {"PKGINFO_PKGID": 20, "PKGINFO_PKGPATH": "NoFolder"}]})");

  std::vector<PackageInfo> out;
  CClientService::GetInstance().QueryPackageInfo({7, 3, 7, 0}, out);

  Json::Value request = RequestJson(1);
  EXPECT_EQ(request["JSON_TYPE"], Json::Value(2));
  EXPECT_EQ(request["JSON_RESULT"], Json::Value(0));
  Json::Value ids(Json::arrayValue);
  for (int id : {7, 3, 7, 0}) ids.append(id);
  EXPECT_EQ(request["PKGIDLIST"], ids);

  EXPECT_THAT(out, ElementsAre(PackageInfo{3, L"F:\\网游", true, true}, PackageInfo{7, L"D:\\Games\\Pkg", true, true},
                               PackageInfo{12, L"C:", true, false}, PackageInfo{20, L"", false, false}));
  EXPECT_TRUE(LibraryCalls().empty());
}

TEST_F(ClientService, NoRecordsFromTheServiceTurnToTheLibrary) {
  RegisterService();
  PlaceLibrary();
  Script(L"paths.txt", "8=G:\\Pkgs\\Eight\\\n");
  ReplyJson(1, R"({"JSON_TYPE": 2147483650, "JSON_RESULT": 0})");
  ReplyJson(2, R"({"JSON_TYPE": 2147483650, "PKGINFO_LIST": [{"PKGINFO_PKGID": 8, "PKGINFO_PKGPATH": 5}]})");
  ReplyJson(3, VersionReply("9.0.0"));

  CClientService& service = CClientService::GetInstance();
  for (int n = 1; n <= 3; ++n) {
    std::vector<PackageInfo> out;
    service.QueryPackageInfo({8}, out);
    EXPECT_THAT(out, ElementsAre(PackageInfo{8, L"G:\\Pkgs", false, false})) << "reply " << n;
  }
  EXPECT_THAT(LibraryCalls(), ElementsAre("8 260 1", "8 260 1", "8 260 1"));
}

TEST_F(ClientService, WithoutTheLibraryNoRecordsMeansNoRecords) {
  RegisterService();
  ReplyJson(1, R"({"JSON_TYPE": 2147483650, "JSON_RESULT": 0, "PKGINFO_LIST": []})");
  std::vector<PackageInfo> out;
  CClientService::GetInstance().QueryPackageInfo({}, out);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(RequestJson(1)["PKGIDLIST"], Json::Value(Json::arrayValue));
}

TEST_F(ClientService, RecordsAlreadyInOutKeepTheLibraryUnasked) {
  RegisterService();
  PlaceLibrary();
  Script(L"paths.txt", "5=D:\\Five\\Pkg\n");
  ReplyJson(1, R"({"JSON_TYPE": 2147483650, "JSON_RESULT": 0, "PKGINFO_LIST": []})");
  std::vector<PackageInfo> out{{99, L"C:\\Earlier", true, false}};
  CClientService::GetInstance().QueryPackageInfo({5}, out);
  EXPECT_THAT(out, ElementsAre(PackageInfo{99, L"C:\\Earlier", true, false}));
  EXPECT_TRUE(LibraryCalls().empty());
}

TEST_F(ClientService, VirtualDisksAToYAreAskedFor) {
  RegisterService();
  ReplyJson(1, R"({"JSON_TYPE": 2147483652, "JSON_RESULT": 0})");
  ReplyJson(2, "garbage");
  Reply(3, "status 80004005\n");

  CClientService& service = CClientService::GetInstance();
  for (int n = 1; n <= 3; ++n) service.ConnectVirtualDisks();

  for (int n = 1; n <= 3; ++n) {
    Json::Value request = RequestJson(n);
    EXPECT_EQ(request["JSON_TYPE"], Json::Value(4));
    EXPECT_EQ(request["JSON_RESULT"], Json::Value(0));
    Json::Value letters(Json::arrayValue);
    for (char c = 'A'; c <= 'Y'; ++c) letters.append(std::string(1, c));
    EXPECT_EQ(request["DiskLetter"], letters);
    EXPECT_EQ(request.size(), 3u);
  }
  EXPECT_FALSE(Request(4));
}

TEST_F(ClientService, ConcurrentFirstUseMakesOneConnection) {
  RegisterService();
  std::atomic<int> ready{0};
  std::vector<CClientService*> seen(8, nullptr);
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i) {
    threads.emplace_back([&, i] {
      ready.fetch_add(1);
      while (ready.load() < 8) {
      }
      seen[i] = &CClientService::GetInstance();
    });
  }
  for (auto& t : threads) t.join();
  for (CClientService* p : seen) EXPECT_EQ(p, seen[0]);
  EXPECT_THAT(Events(), ElementsAre("created", "service-interface"));
  EXPECT_TRUE(seen[0]->HasService());
}

// The launcher connects ahead, on a thread of its own, while it builds its
// window; the instance takes that connection.
class NoThreads : public vorlan::WorkerStarter {
 public:
  bool Start(const std::function<void()>&) override { return false; }
};

TEST_F(ClientService, AConnectionMadeAheadIsTheOneUsed) {
  RegisterService();
  ReplyJson(1, VersionReply("9.0.0"));
  CClientService::ConnectAhead(OS::SystemWorkerStarter::Instance());
  std::wstring error;
  bool linked = false;
  std::thread([&] { linked = AskClientServiceForMenu(error); }).join();
  EXPECT_TRUE(linked) << ToUtf8(error);
  EXPECT_THAT(Events(), ElementsAre("created", "service-interface"));
}

TEST_F(ClientService, WithoutAThreadToConnectAheadTheFirstUseConnects) {
  RegisterService();
  NoThreads noThreads;
  CClientService::ConnectAhead(noThreads);
  EXPECT_TRUE(Events().empty());
  EXPECT_TRUE(CClientService::GetInstance().HasService());
  EXPECT_THAT(Events(), ElementsAre("created", "service-interface"));
}

TEST_F(ClientService, AServiceThatHangsWhileConnectingAheadIsGivenUp) {
  RegisterService();
  PlaceLibrary();
  Script(L"create-hang-ms.txt", "120000");
  Script(L"paths.txt", "4=E:\\Pkg\\Four\n");
  CClientService::ConnectAhead(OS::SystemWorkerStarter::Instance());
  const DWORD start = ::GetTickCount();
  EXPECT_FALSE(CClientService::GetInstance().HasService());
  const DWORD waited = ::GetTickCount() - start;
  EXPECT_GE(waited, CClientService::kRequestTimeoutMs - 100);
  EXPECT_LT(waited, 60000u) << "waited for the hanging start";
  // The library still answers.
  std::vector<PackageInfo> out;
  CClientService::GetInstance().QueryPackageInfo({4}, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].Path, L"E:\\Pkg");
}

TEST_F(ClientService, ObjectThatFailsToRunIsNoService) {
  RegisterService();
  Script(L"run-result.txt", "80004005");
  std::string version;
  EXPECT_FALSE(CClientService::GetInstance().QueryClientVersion(version));
  EXPECT_FALSE(CClientService::GetInstance().HasService());
  EXPECT_THAT(Events(), ElementsAre("created", "run"));
  EXPECT_FALSE(Request(1));
}

TEST_F(ClientService, ObjectIsRunBeforeItIsAskedForTheInterface) {
  RegisterService();
  Script(L"run-result.txt", "0");
  ReplyJson(1, VersionReply("10.0.0"));
  std::string version;
  EXPECT_TRUE(CClientService::GetInstance().QueryClientVersion(version));
  EXPECT_EQ(version, "10.0.0");
  EXPECT_THAT(Events(), ElementsAre("created", "run", "service-interface"));
}

TEST_F(ClientService, ObjectWithoutTheInterfaceIsNoService) {
  RegisterService();
  Script(L"no-interface", "");
  std::wstring error;
  EXPECT_FALSE(AskClientServiceForMenu(error));
  EXPECT_EQ(error, L"client service unavailable");
  EXPECT_THAT(Events(), ElementsAre("created", "service-interface"));
  EXPECT_FALSE(Request(1));
}
