#include "launcher/option_table.h"

const OptionRow kOptionTable[] = {
#define LAUNCH(member) &LaunchSettings::member, nullptr
#define RUN(member) nullptr, &RunFlags::member
#define NO_SETTING nullptr, nullptr
#define MODE(rank, source, main_class, forcing, refuses_distribution) \
  rank, ClassSource::source, main_class, BootstrapForcing::forcing, refuses_distribution
#define NOT_A_MODE 0, ClassSource::kFixed, nullptr, BootstrapForcing::kNever, false
#define OPTION(name, action, setting, silent, log_prefix, console, waits, mode) \
  {name, OptionAction::action, setting, silent, log_prefix, console, waits, mode},
#include "launcher/option_list.def"
#undef LAUNCH
#undef RUN
#undef NO_SETTING
#undef MODE
#undef NOT_A_MODE
};
const std::size_t kOptionCount = sizeof kOptionTable / sizeof kOptionTable[0];

const char* LogPrefixOf(const LaunchSettings& launch) {
  const char* prefix = "installActions";
  for (std::size_t r = 0; r < kOptionCount; ++r) {
    const OptionRow& row = kOptionTable[r];
    if (row.log_prefix != nullptr && IsOptionSet(row, launch)) prefix = row.log_prefix;
  }
  return prefix;
}

bool IsOptionSet(const OptionRow& row, const LaunchSettings& launch) {
  if (row.flag != nullptr) return launch.*row.flag;
  if (row.run_flag != nullptr) return g_run_flags.*row.run_flag;
  return false;
}
