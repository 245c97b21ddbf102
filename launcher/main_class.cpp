#include "launcher/main_class.h"

#include "launcher/launch_settings.h"
#include "params/parameter_settings.h"

namespace {

enum class ClassSource { kFixed, kInstallClass, kOneClickClass };

struct ModeRow {
  bool LaunchSettings::*mode;
  ClassSource source;
  const char* main_class;  // for kFixed
  BootstrapForcing forcing;
  bool refuses_distribution;
};

// Tested in this order; the first mode that is set wins.
const ModeRow kModeTable[] = {
    {&LaunchSettings::preclone_setup, ClassSource::kFixed, "velmor.tavrun.cmd.TavPreCloneSetup",
     BootstrapForcing::kNever, true},
    // The checker decides about staging itself, from its configuration location.
    {&LaunchSettings::prereq_checker, ClassSource::kFixed, "velmor.tavrun.prereq.TavPrereqApp",
     BootstrapForcing::kNever, false},
    {&LaunchSettings::update_node_list, ClassSource::kFixed, "velmor.tavrun.cmd.TavUpdateNodeList",
     BootstrapForcing::kAlways, true},
    {&LaunchSettings::attach_home, ClassSource::kFixed, "velmor.tavrun.cmd.TavAttachHome",
     BootstrapForcing::kUnlessDistribution, false},
    {&LaunchSettings::relink, ClassSource::kFixed, "velmor.tavrun.deps.TavMakeDeps",
     BootstrapForcing::kNever, false},
    {&LaunchSettings::remove_home, ClassSource::kFixed, "velmor.tavrun.cmd.TavRemoveHome",
     BootstrapForcing::kAlways, true},
    {&LaunchSettings::detach_home, ClassSource::kFixed, "velmor.tavrun.cmd.TavDetachHome",
     BootstrapForcing::kAlways, true},
    {&LaunchSettings::update_home_deps, ClassSource::kFixed, "velmor.tavrun.cmd.TavUpdateHomeDeps",
     BootstrapForcing::kNever, false},
    {&LaunchSettings::add_node, ClassSource::kInstallClass, nullptr, BootstrapForcing::kAlways,
     true},
    {&LaunchSettings::cleanup, ClassSource::kFixed, "velmor.tavrun.cmd.TavCleanup",
     BootstrapForcing::kNever, false},
    {&LaunchSettings::save_inventory, ClassSource::kFixed, "velmor.tavrun.cmd.TavSaveInventory",
     BootstrapForcing::kNever, false},
    {&LaunchSettings::one_click, ClassSource::kOneClickClass, nullptr, BootstrapForcing::kNever,
     false},
};

}  // namespace

ModeChoice ChooseMainClass(const LaunchSettings& launch, const ParameterSettings& params) {
  for (const ModeRow& row : kModeTable) {
    if (!(launch.*row.mode)) continue;
    ModeChoice choice;
    choice.forcing = row.forcing;
    choice.refuses_distribution = row.refuses_distribution;
    switch (row.source) {
      case ClassSource::kFixed:
        choice.main_class = row.main_class;
        break;
      case ClassSource::kInstallClass:
        choice.main_class = params.install_class;
        break;
      case ClassSource::kOneClickClass:
        choice.main_class = launch.help ? kInstallerClass : params.install_oneclick_class;
        break;
    }
    return choice;
  }
  ModeChoice choice;
  choice.main_class = params.install_class;
  return choice;
}
