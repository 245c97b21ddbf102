#include "platform/path_exists.h"

#include <io.h>

bool PathExists(const std::string& path) { return _access(path.c_str(), 0) == 0; }
