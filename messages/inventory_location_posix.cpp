#include "messages/inventory_location.h"

std::string ReadRegisteredInventoryLocation() { return std::string(); }
