#include "launcher/main_class.h"

#include "launcher/launch_settings.h"
#include "launcher/option_table.h"
#include "params/parameter_settings.h"

ModeChoice ChooseMainClass(const LaunchSettings& launch, const ParameterSettings& params) {
  const OptionRow* mode = nullptr;
  for (std::size_t r = 0; r < kOptionCount; ++r) {
    const OptionRow& row = kOptionTable[r];
    if (row.mode_rank == 0 || !IsOptionSet(row, launch)) continue;
    if (mode == nullptr || row.mode_rank < mode->mode_rank) mode = &row;
  }
  ModeChoice choice;
  if (mode == nullptr) {
    choice.main_class = params.install_class;
    return choice;
  }
  choice.forcing = mode->forcing;
  choice.refuses_distribution = mode->refuses_distribution;
  switch (mode->class_source) {
    case ClassSource::kFixed:
      choice.main_class = mode->main_class;
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
