#include "platform/file_text.h"

// The native build's process code page is UTF-8 and it has no legacy one.
std::string FileTextToSystemText(const std::string& bytes) { return bytes; }
