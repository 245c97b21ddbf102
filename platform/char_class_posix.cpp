#include "platform/char_class.h"

bool IsAlphaChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
