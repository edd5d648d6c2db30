#include "steps/pipeline/core/step_table.h"

namespace vorlan {
namespace {

constexpr StepInfo kSteps[] = {
    {StepId::Map, L"Map", L"CVorlanDlg::ProcessManage.开始执行磁盘映射", L"CVorlanDlg::ProcessManage.已执行磁盘映射 %d\n", true},
    {StepId::PreLoad, L"PreLoad", L"CVorlanDlg::ProcessManage.开始执行预处理程序", L"CVorlanDlg::ProcessManage.已执行预处理程序 %d\n", true},
    {StepId::SelectPreLoadProcess, L"SelectPreLoadProcess", L"CVorlanDlg::ProcessManage.开始执行SelectPreloadProcess预处理程序",
     L"CVorlanDlg::ProcessManage.已执行SelectPreloadProcess预处理程序 %d\n", true},
    {StepId::Component, L"Component", L"CVorlanDlg::ProcessManage.开始执行组件安装", L"CVorlanDlg::ProcessManage.已执行组件安装 %d\n", true},
    {StepId::Copy, L"Copy", L"CVorlanDlg::ProcessManage.开始执行复制文件", L"CVorlanDlg::ProcessManage.已执行复制文件 %d\n", true},
    {StepId::Junction, L"Junction", L"CVorlanDlg::ProcessManage.开始执行重定向", L"CVorlanDlg::ProcessManage.已执行重定向 %d\n", true},
    {StepId::ImportReg, L"ImportReg", L"CVorlanDlg::ProcessManage.开始执行导入注册表", L"CVorlanDlg::ProcessManage.已执行导入注册表 %d\n", true},
    {StepId::Keys, L"keys", L"CVorlanDlg::ProcessManage.开始执行注册CDKEY", L"CVorlanDlg::ProcessManage.已执行注册CDKEY %d\n", true},
    {StepId::Display, L"Display", L"CVorlanDlg::ProcessManage.开始执行更改显示设置", L"CVorlanDlg::ProcessManage.已执行更改显示设置 %d\n", true},
    {StepId::Compatible, L"Compatible", L"CVorlanDlg::ProcessManage.开始执行兼容性设置", L"CVorlanDlg::ProcessManage.已执行兼容性设置 %d\n", true},
    {StepId::GamePath, L"GamePath", L"CVorlanDlg::ProcessManage.开始执行设置游戏路径", L"CVorlanDlg::ProcessManage.已执行设置游戏路径 %d\n", true},
    {StepId::RegDll, L"RegDll", L"CVorlanDlg::ProcessManage.开始执行注册COM组件", L"CVorlanDlg::ProcessManage.已执行注册COM组件 %d\n", true},
    {StepId::RegService, L"RegService", L"CVorlanDlg::ProcessManage.开始执行注册后台服务", L"CVorlanDlg::ProcessManage.已执行注册后台服务 %d\n", true},
    {StepId::RunOnce, L"RunOnce", L"CVorlanDlg::ProcessManage.开始执行一次性程序", L"CVorlanDlg::ProcessManage.已执行运行一次性程序 %d\n", true},
    {StepId::AppLoc, L"AppLoc", L"CVorlanDlg::ProcessManage.开始执行设置程序本地语言", L"CVorlanDlg::ProcessManage.已执行设置程序本地语言 %d\n", true},
    {StepId::GameComponent, L"GameComponent", L"CVorlanDlg::ProcessManage. Begin GameComponent", L"CVorlanDlg::ProcessManage. End GameComponent", true},
    {StepId::Assoc, L"Assoc", L"CVorlanDlg::ProcessManage.开始执行设置关联游戏路径及出盘", L"CVorlanDlg::ProcessManage.已执行设置关联游戏路径及出盘 %d\n", true},
    {StepId::AssocGamePathSet, L"AssocGamePathSet", L"CVorlanDlg::ProcessManage.开始执行游戏平台关联游戏路径",
     L"CVorlanDlg::ProcessManage.已执行游戏平台关联游戏路径 %d\n", false},
    {StepId::OpenUrl, L"OpenUrl", L"CVorlanDlg::ProcessManage.开始执行打开指定URL", L"CVorlanDlg::ProcessManage.已执行打开指定URL %d\n", false},
    {StepId::Main, L"Main", L"CVorlanDlg::ProcessManage.开始执行最终运行程序", L"CVorlanDlg::ProcessManage.已执行最终运行程序 %d\n", true},
};

}  // namespace

std::span<const StepInfo> StepTable() { return kSteps; }

const StepInfo* FindStep(std::wstring_view name) {
  for (const StepInfo& step : kSteps)
    if (step.name == name) return &step;
  return nullptr;
}

}  // namespace vorlan
