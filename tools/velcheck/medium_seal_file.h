// Sealing a medium: the list of its files with their SHA-256 (velseal.sha256, in
// sha256sum's format) and the list's own SHA-256 in setup.exe's seal section; and
// checking a sealed medium against both.
#ifndef TOOLS_VELCHECK_MEDIUM_SEAL_FILE_H_
#define TOOLS_VELCHECK_MEDIUM_SEAL_FILE_H_

#include <string>
#include <vector>

#include "tools/velcheck/medium_check.h"

// Seals the medium whose launcher directory is `directory`: writes the list of
// ListSealedFiles with each file's SHA-256 ("<hex>  <path>", sorted, one per line) and
// the list's SHA-256 into setup.exe's seal section; nothing else of setup.exe changes, so
// sealing again gives the same bytes. `*count` is the number of files listed. False,
// with findings saying why, when nothing was sealed.
bool SealMedium(const std::string& directory, std::size_t* count, std::vector<Finding>* findings);

// Adds an error for every file of a sealed medium that is missing, differs from its seal
// or is read by the launcher without being in the list, and for a setup.exe whose seal
// is not the list's. Does nothing for a medium without a list.
void CheckSeal(const std::string& directory, std::vector<Finding>* findings);

#endif  // TOOLS_VELCHECK_MEDIUM_SEAL_FILE_H_
