#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "app/core/step_done_table.h"
#include "steps/pipeline/core/step_table.h"
#include "steps/pipeline/core/white_list.h"

using vorlan::FindStep;
using vorlan::StepTable;
using vorlan::WhiteListSteps;

TEST(StepTable, NamesInDispatchOrderAndExactMatching) {
  std::vector<std::wstring> names;
  for (const auto& s : StepTable()) names.emplace_back(s.name);
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Map", L"PreLoad", L"SelectPreLoadProcess", L"Component", L"Copy",
                                              L"Junction", L"ImportReg", L"keys", L"Display", L"Compatible",
                                              L"GamePath", L"RegDll", L"RegService", L"RunOnce", L"AppLoc",
                                              L"GameComponent", L"Assoc", L"AssocGamePathSet", L"OpenUrl", L"Main"}));
  EXPECT_EQ(FindStep(L"main"), nullptr);
  EXPECT_EQ(FindStep(L"Keys"), nullptr);
  EXPECT_EQ(FindStep(L"Copy "), nullptr);
  EXPECT_EQ(FindStep(L""), nullptr);
  ASSERT_NE(FindStep(L"keys"), nullptr);
  EXPECT_EQ(FindStep(L"keys")->startText, L"CVorlanDlg::ProcessManage.开始执行注册CDKEY");
  EXPECT_EQ(FindStep(L"RunOnce")->endText, L"CVorlanDlg::ProcessManage.已执行运行一次性程序 %d\n");
}

TEST(StepTable, EveryStartAndEndTextWordForWord) {
  struct Row {
    const wchar_t* name;
    const wchar_t* start;
    const wchar_t* end;
  };
  const Row expected[] = {
      {L"Map", L"CVorlanDlg::ProcessManage.开始执行磁盘映射", L"CVorlanDlg::ProcessManage.已执行磁盘映射 %d\n"},
      {L"PreLoad", L"CVorlanDlg::ProcessManage.开始执行预处理程序", L"CVorlanDlg::ProcessManage.已执行预处理程序 %d\n"},
      {L"SelectPreLoadProcess", L"CVorlanDlg::ProcessManage.开始执行SelectPreloadProcess预处理程序", L"CVorlanDlg::ProcessManage.已执行SelectPreloadProcess预处理程序 %d\n"},
      {L"Component", L"CVorlanDlg::ProcessManage.开始执行组件安装", L"CVorlanDlg::ProcessManage.已执行组件安装 %d\n"},
      {L"Copy", L"CVorlanDlg::ProcessManage.开始执行复制文件", L"CVorlanDlg::ProcessManage.已执行复制文件 %d\n"},
      {L"Junction", L"CVorlanDlg::ProcessManage.开始执行重定向", L"CVorlanDlg::ProcessManage.已执行重定向 %d\n"},
      {L"ImportReg", L"CVorlanDlg::ProcessManage.开始执行导入注册表", L"CVorlanDlg::ProcessManage.已执行导入注册表 %d\n"},
      {L"keys", L"CVorlanDlg::ProcessManage.开始执行注册CDKEY", L"CVorlanDlg::ProcessManage.已执行注册CDKEY %d\n"},
      {L"Display", L"CVorlanDlg::ProcessManage.开始执行更改显示设置", L"CVorlanDlg::ProcessManage.已执行更改显示设置 %d\n"},
      {L"Compatible", L"CVorlanDlg::ProcessManage.开始执行兼容性设置", L"CVorlanDlg::ProcessManage.已执行兼容性设置 %d\n"},
      {L"GamePath", L"CVorlanDlg::ProcessManage.开始执行设置游戏路径", L"CVorlanDlg::ProcessManage.已执行设置游戏路径 %d\n"},
      {L"RegDll", L"CVorlanDlg::ProcessManage.开始执行注册COM组件", L"CVorlanDlg::ProcessManage.已执行注册COM组件 %d\n"},
      {L"RegService", L"CVorlanDlg::ProcessManage.开始执行注册后台服务", L"CVorlanDlg::ProcessManage.已执行注册后台服务 %d\n"},
      {L"RunOnce", L"CVorlanDlg::ProcessManage.开始执行一次性程序", L"CVorlanDlg::ProcessManage.已执行运行一次性程序 %d\n"},
      {L"AppLoc", L"CVorlanDlg::ProcessManage.开始执行设置程序本地语言", L"CVorlanDlg::ProcessManage.已执行设置程序本地语言 %d\n"},
      {L"GameComponent", L"CVorlanDlg::ProcessManage. Begin GameComponent", L"CVorlanDlg::ProcessManage. End GameComponent"},
      {L"Assoc", L"CVorlanDlg::ProcessManage.开始执行设置关联游戏路径及出盘", L"CVorlanDlg::ProcessManage.已执行设置关联游戏路径及出盘 %d\n"},
      {L"AssocGamePathSet", L"CVorlanDlg::ProcessManage.开始执行游戏平台关联游戏路径", L"CVorlanDlg::ProcessManage.已执行游戏平台关联游戏路径 %d\n"},
      {L"OpenUrl", L"CVorlanDlg::ProcessManage.开始执行打开指定URL", L"CVorlanDlg::ProcessManage.已执行打开指定URL %d\n"},
      {L"Main", L"CVorlanDlg::ProcessManage.开始执行最终运行程序", L"CVorlanDlg::ProcessManage.已执行最终运行程序 %d\n"},
  };
  const auto table = StepTable();
  ASSERT_EQ(table.size(), std::size(expected));
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].name, expected[i].name) << i;
    EXPECT_EQ(table[i].startText, expected[i].start) << i;
    EXPECT_EQ(table[i].endText, expected[i].end) << i;
  }
}

TEST(StepTable, OnlyUrlAndPlatformPathStepsLeaveTheProgressAlone) {
  for (const auto& s : StepTable())
    EXPECT_EQ(s.advancesProgress, s.name != L"OpenUrl" && s.name != L"AssocGamePathSet") << std::string(s.name.begin(), s.name.end());
}

TEST(WhiteList, ExcludeListFilteredByMainAndMap) {
  EXPECT_EQ(WhiteListSteps(L"Copy,Map,Main", false, true), (std::vector<std::wstring>{L"Copy", L"Map"}));
  EXPECT_EQ(WhiteListSteps(L"Copy,Map,Main", true, false), (std::vector<std::wstring>{L"Copy", L"Main"}));
  EXPECT_EQ(WhiteListSteps(L"Copy,Map,Main", true, true), (std::vector<std::wstring>{L"Copy", L"Map", L"Main"}));
  EXPECT_EQ(WhiteListSteps(L"", true, true), (std::vector<std::wstring>{L"Main"}));
  EXPECT_TRUE(WhiteListSteps(L"", false, true).empty());
  // Empty pieces are names too (they match no step); the last piece counts.
  EXPECT_EQ(WhiteListSteps(L"Copy,,Display,", true, true), (std::vector<std::wstring>{L"Copy", L"", L"Display", L""}));
}

TEST(StepDoneTable, WaitEndsOnlyWhenEveryFlagIsSet) {
  vorlan::StepDoneTable table;
  for (int i = 0; i < 5; ++i) table.Clear(i);
  std::atomic<bool> waited{false};
  std::thread waiter([&] {
    table.WaitAll(5);
    waited = true;
  });
  std::vector<std::thread> workers;
  for (int i = 4; i >= 1; --i) workers.emplace_back([&table, i] { table.MarkDone(i); });
  for (auto& w : workers) w.join();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(waited) << "flag 0 is not set yet";
  table.MarkDone(0);
  waiter.join();
  EXPECT_TRUE(waited);
}

TEST(StepDoneTable, IndexesOutsideTheTableAreIgnored) {
  vorlan::StepDoneTable table;
  table.MarkDone(-1);
  table.MarkDone(vorlan::StepDoneTable::kCapacity);
  EXPECT_FALSE(table.IsDone(vorlan::StepDoneTable::kCapacity));
  for (int i = 0; i < vorlan::StepDoneTable::kCapacity; ++i) table.MarkDone(i);
  table.WaitAll(vorlan::StepDoneTable::kCapacity + 10);  // clipped to the capacity: returns
  table.WaitAll(0);
  SUCCEED();
}
