// velcheck's two ways of printing its findings: lines for people, JSON for pipelines.
#ifndef TOOLS_VELCHECK_FINDING_REPORT_H_
#define TOOLS_VELCHECK_FINDING_REPORT_H_

#include <string>
#include <vector>

#include "tools/velcheck/finding.h"

// One line per finding: "FILE[:LINE]: error|warning: [KEY: ]MESSAGE".
std::string FormatFindingsText(const std::vector<Finding>& findings);

// {"medium": ..., "findings": [{"severity", "file", "line", "key", "message"}, ...]}.
// Always valid UTF-8: a text that is not (a value from a velparam.ini in a legacy code
// page) is converted from the code page the launcher reads such a file in.
std::string FormatFindingsJson(const std::string& medium, const std::vector<Finding>& findings);

// `text` as UTF-8: as it is when it is valid UTF-8, else converted from the system's
// ANSI code page (where there is one) or from code page 1252.
std::string TextAsUtf8(const std::string& text);

#endif  // TOOLS_VELCHECK_FINDING_REPORT_H_
