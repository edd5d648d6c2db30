#include "steps/pipeline/win/step_registry.h"

#include <array>

#include "assoc/win/client_service.h"
#include "components/win/component_step.h"
#include "components/win/config.h"
#include "components/win/game_component.h"
#include "platform/win/client_probe.h"
#include "steps/assoc/win/assoc_game_path_set_step.h"
#include "steps/assoc/win/assoc_step.h"
#include "steps/files/win/copy_step.h"
#include "steps/system/win/display_step.h"
#include "steps/files/win/junction_step.h"
#include "steps/programs/win/local_date.h"
#include "steps/system/win/map_step.h"
#include "steps/programs/win/program_launch_steps.h"
#include "steps/registry/win/registry_steps.h"

namespace vorlan::steps {
namespace {

template <void (*Run)(StepContext&)>
StepOutcome Plain(StepContext& context) {
  Run(context);
  return {};
}

StepOutcome Component(StepContext& context) {
  StepOutcome outcome;
  outcome.componentResult = components::RunComponentStep(context, CConfig::GetInstance());
  return outcome;
}

StepOutcome Junction(StepContext& context) {
  OS::ClientProbe probe;
  RunJunctionStep(context, probe);
  return {};
}

StepOutcome Display(StepContext& context) {
  PrimaryDisplay display;
  DisplayRecordKey record;
  RunDisplay(context, display, record);
  return {};
}

StepOutcome RunOnce(StepContext& context) {
  RunRunOnce(context, LocalToday());
  return {};
}

StepOutcome GameComponent(StepContext& context) {
  StepOutcome outcome;
  outcome.handedOver = components::RunGameComponentStep(context);
  return outcome;
}

StepOutcome Assoc(StepContext& context) {
  static ::assoc::ClientServicePackages packages(CClientService::GetInstance());
  ::assoc::AssocWorker& worker = ::assoc::AssocWorker::Process();
  StepOutcome outcome;
  if (RunAssocStep(context, packages, worker, ::assoc::SystemFolders::OfThisPc())) {
    outcome.waitForWorker = [&worker] { worker.Wait(); };
  }
  return outcome;
}

// Takes no dialog: only the option file.
StepOutcome AssocGamePathSet(StepContext& context) {
  static ::assoc::ClientServicePackages packages(CClientService::GetInstance());
  RunAssocGamePathSetStep(context.Options(), packages);
  return {};
}

struct Row {
  StepId id;
  StepHandler handler;
};

constexpr Row kHandlers[] = {
    {StepId::Map, &Plain<&RunMap>},
    {StepId::PreLoad, &Plain<&RunPreLoad>},
    {StepId::SelectPreLoadProcess, &Plain<&RunSelectPreload>},
    {StepId::Component, &Component},
    {StepId::Copy, &Plain<&RunCopyStep>},
    {StepId::Junction, &Junction},
    {StepId::ImportReg, &Plain<&RunImportReg>},
    {StepId::Keys, &Plain<&RunKeys>},
    {StepId::Display, &Display},
    {StepId::Compatible, &Plain<&RunCompatible>},
    {StepId::GamePath, &Plain<&RunGamePath>},
    {StepId::RegDll, &Plain<&RunRegDll>},
    {StepId::RegService, &Plain<&RunRegService>},
    {StepId::RunOnce, &RunOnce},
    {StepId::AppLoc, &Plain<&RunAppLoc>},
    {StepId::GameComponent, &GameComponent},
    {StepId::Assoc, &Assoc},
    {StepId::AssocGamePathSet, &AssocGamePathSet},
    {StepId::OpenUrl, &Plain<&RunOpenUrl>},
    {StepId::Main, &Plain<&RunGame>},
};

}  // namespace

StepHandler FindStepHandler(StepId id) {
  for (const Row& row : kHandlers)
    if (row.id == id) return row.handler;
  return nullptr;
}

StepOutcome RunStepHandler(StepId id, StepContext& context) {
  const StepHandler handler = FindStepHandler(id);
  return handler ? handler(context) : StepOutcome{};
}

}  // namespace vorlan::steps
