#include "platform/char_class.h"

#include "platform/windows_prelude.h"

bool IsAlphaChar(char c) { return IsCharAlphaA(c) != FALSE; }
