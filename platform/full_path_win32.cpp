#include "platform/full_path.h"

#include <stdlib.h>

#include "platform/text_buffer.h"

bool GetFullPath(const std::string& path, std::string* full) {
  char buffer[kTextBufferSize];
  if (_fullpath(buffer, path.c_str(), sizeof buffer) == nullptr) return false;
  full->assign(buffer);
  return true;
}
