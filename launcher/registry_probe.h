// Whether the installer will be able to record what it installs in the registry.
#ifndef LAUNCHER_REGISTRY_PROBE_H_
#define LAUNCHER_REGISTRY_PROBE_H_

// Writes and at once removes the value and the sub-key "velmor_tav_tmp" under
// HKEY_LOCAL_MACHINE\Software. True when both could be written and what the probe made
// could be removed again. A value or key of that name that was there before is left as
// it was: an existing key is opened, not removed; an existing value is not touched.
bool CheckRegistryAccess();

#endif  // LAUNCHER_REGISTRY_PROBE_H_
