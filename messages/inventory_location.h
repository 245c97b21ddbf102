// Where the product's inventory is, as the system registered it at installation.
#ifndef MESSAGES_INVENTORY_LOCATION_H_
#define MESSAGES_INVENTORY_LOCATION_H_

#include <string>

// inst_loc from SOFTWARE\VELMOR, else SOFTWARE\WOW6432NODE\VELMOR of
// HKEY_LOCAL_MACHINE, REG_EXPAND_SZ expanded; empty when there is none (and always in
// the native build, which has no registry).
std::string ReadRegisteredInventoryLocation();

#endif  // MESSAGES_INVENTORY_LOCATION_H_
