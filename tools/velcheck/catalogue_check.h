// velcheck's check of one message catalogue's bytes, read as the launcher reads them.
#ifndef TOOLS_VELCHECK_CATALOGUE_CHECK_H_
#define TOOLS_VELCHECK_CATALOGUE_CHECK_H_

#include <string>
#include <string_view>
#include <vector>

#include "tools/velcheck/finding.h"

// Appends a finding, named `file`, for each record the launcher cuts, ignores or
// overrides, and for each key it does not know.
void CheckCatalogue(const std::string& file, std::string_view bytes,
                    std::vector<Finding>* findings);

#endif  // TOOLS_VELCHECK_CATALOGUE_CHECK_H_
