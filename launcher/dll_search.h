// Keeps the launcher from loading DLLs planted beside it.
#ifndef LAUNCHER_DLL_SEARCH_H_
#define LAUNCHER_DLL_SEARCH_H_

// Restricts DLL loading to the system directory where the system can do that
// (SetDefaultDllDirectories); an older system without it is left as it is.
// Returns whether the restriction is in force.
bool RestrictDllSearch();

#endif  // LAUNCHER_DLL_SEARCH_H_
