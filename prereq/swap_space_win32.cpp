#include "prereq/swap_space.h"

#include "platform/windows_prelude.h"
#include "prereq/system_info.h"

static_assert(kPagingFilesTooLarge == ERROR_MORE_DATA, "the registry's own status");

bool CheckSwapSpace(const std::string& requirement) {
  PagingSource machine = {ReadPagingFiles, [] { return ReadOsVersion().major; },
                          AvailablePageFileMb};
  return CheckSwapSpace(requirement, machine);
}
