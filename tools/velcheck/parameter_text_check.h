// velcheck's checks of velparam.ini's text: the Velmor section as the launcher's
// profile reader reads it, and the prerequisite sections as the prerequisite checks'
// section reader reads them.
#ifndef TOOLS_VELCHECK_PARAMETER_TEXT_CHECK_H_
#define TOOLS_VELCHECK_PARAMETER_TEXT_CHECK_H_

#include <string>
#include <vector>

#include "tools/velcheck/finding.h"

// Appends a finding, named `file` and with its line, for each value the launcher reads
// otherwise than its author meant, each key nobody reads and each key given again.
// Linear in the text's size.
void CheckParameterText(const std::string& file, const std::string& text,
                        std::vector<Finding>* findings);

#endif  // TOOLS_VELCHECK_PARAMETER_TEXT_CHECK_H_
