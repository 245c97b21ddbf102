#include "platform/system_text.h"

// The native build's texts are UTF-8 already.
std::string SystemTextToUtf8(const char* text) { return text; }
