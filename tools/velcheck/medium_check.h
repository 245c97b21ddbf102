// velcheck's checks of an installation medium, with the launcher's own tables and
// readers: the key table, the parameter file's search, the profile and section readers,
// the component list, the catalogue reader and its argument check.
#ifndef TOOLS_VELCHECK_MEDIUM_CHECK_H_
#define TOOLS_VELCHECK_MEDIUM_CHECK_H_

#include <string>
#include <vector>

#include "tools/velcheck/finding.h"

// Checks the medium whose launcher directory is `directory`. False when the directory
// cannot be checked at all (it does not exist).
bool CheckMedium(const std::string& directory, std::vector<Finding>* findings);

// The files a sealed run of the medium reads, starts or stages, relative to `directory`
// with forward slashes ("resource/cons.nls", "../velparam.ini"), sorted: the parameter
// file the launcher finds, the catalogues, unzip.exe and every jar of each component a
// distribution medium stages, every file of each folder an installed layout copies, the
// prerequisite definitions, access files, extensions and images. False, with an error
// finding for each, when the medium would run a component from the medium itself
// (staging off, a component left out of BOOTSTRAP_COMPS) or has no parameter file.
bool ListSealedFiles(const std::string& directory, std::vector<std::string>* files,
                     std::vector<Finding>* findings);

#endif  // TOOLS_VELCHECK_MEDIUM_CHECK_H_
