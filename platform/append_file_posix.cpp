#include "platform/append_file.h"

std::FILE* OpenAppendFile(const std::string& path) { return std::fopen(path.c_str(), "a"); }
