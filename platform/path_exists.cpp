#include "platform/path_exists.h"

#include "platform/system_calls.h"

bool PathExists(const std::string& path) { return g_system.path_exists(path); }
